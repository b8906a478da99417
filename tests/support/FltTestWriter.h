#pragma once

// Composes OpenFlight databases field by field, big-endian, with the record
// lengths filled in, so that a test reads like the database it builds.
// The record builders write the layouts of revision 15.7 files; anything a
// builder does not take is written as zero (or -1 where that means "none").

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// The attributes of a face that tests vary. Colours are packed as the file
// stores them: alpha, blue, green, red from the high byte down.
struct FltFaceStyle {
    static constexpr uint32_t noColor = 0x40000000;     // flag word bit 30
    static constexpr uint32_t packedColor = 0x10000000; // flag word bit 28

    int16_t materialIndex = -1;
    int16_t texturePatternIndex = -1;
    int32_t primaryColorIndex = 0;
    uint16_t colorNameIndex = 0;
    uint32_t flags = 0;
    uint16_t transparency = 0;
    int8_t textureWhite = 0;
    uint32_t packedPrimaryColor = 0xFFFFFFFF;
    int8_t drawType = 0;   // 0 solid, 1 both sides, 2 closed outline, 3 open outline
    uint8_t lightMode = 0; // 0 face colour, 1 vertex colours (both unlit), 2 and 3 lit

    FltFaceStyle& material(int16_t index) { materialIndex = index; return *this; }
    FltFaceStyle& texture(int16_t index) { texturePatternIndex = index; return *this; }
    FltFaceStyle& colorIndex(int32_t index) { primaryColorIndex = index; return *this; }
    FltFaceStyle& colorName(uint16_t index) { colorNameIndex = index; return *this; }
    FltFaceStyle& withFlags(uint32_t word) { flags = word; return *this; }
    FltFaceStyle& transparent(uint16_t value) { transparency = value; return *this; }
    FltFaceStyle& white(int8_t value) { textureWhite = value; return *this; }
    FltFaceStyle& packed(uint32_t abgr) { packedPrimaryColor = abgr; return *this; }
    FltFaceStyle& draw(int8_t type) { drawType = type; return *this; }
    FltFaceStyle& light(uint8_t mode) { lightMode = mode; return *this; }
};

// One vertex of a Local Vertex Pool; only the attributes its pool's mask
// names are written.
struct FltLocalVertex {
    std::array<double, 3> position{};
    uint32_t colorIndex = 0;
    uint32_t packedColor = 0xFFFFFFFF;
    std::array<float, 3> normal{};
    std::array<std::array<float, 2>, 8> uv{}; // base UV, then layers 1 to 7
};

class FltTestWriter {
public:
    using Vec2 = std::array<float, 2>;
    using Vec3 = std::array<float, 3>;
    using Point = std::array<double, 3>;

    // Record lengths, for tests that compute vertex palette offsets by hand.
    static constexpr std::size_t vertexColorLength = 40;
    static constexpr std::size_t vertexColorNormalLength = 56;
    static constexpr std::size_t vertexColorNormalUvLength = 64;
    static constexpr std::size_t vertexColorUvLength = 48;
    // Vertex flag word: the colour is the packed one, not the colour index.
    static constexpr uint16_t packedColorVertex = 0x1000;

    // Opens a record; its length is filled in when the next one opens or
    // when the bytes are taken.
    FltTestWriter& record(int16_t opcode);
    // Forces the length field of the open record (for records that lie).
    FltTestWriter& lengthField(uint16_t length);

    FltTestWriter& i8(int8_t v) { return put(&v, 1); }
    FltTestWriter& u8(uint8_t v) { return put(&v, 1); }
    FltTestWriter& i16(int16_t v) { return putBigEndian(&v, 2); }
    FltTestWriter& u16(uint16_t v) { return putBigEndian(&v, 2); }
    FltTestWriter& i32(int32_t v) { return putBigEndian(&v, 4); }
    FltTestWriter& u32(uint32_t v) { return putBigEndian(&v, 4); }
    FltTestWriter& f32(float v) { return putBigEndian(&v, 4); }
    FltTestWriter& f64(double v) { return putBigEndian(&v, 8); }
    FltTestWriter& bytes(std::initializer_list<uint8_t> values);
    // Text padded with zero bytes (or cut) to exactly `width` bytes.
    FltTestWriter& text(const std::string& value, std::size_t width);
    FltTestWriter& zeros(std::size_t count);
    // Pads the open record with zeros up to `length` bytes, header included.
    FltTestWriter& padTo(std::size_t length);

    // A Header record of the given revision, as long as that revision's
    // fields (324 bytes from 15.7 on, as real files have it).
    FltTestWriter& header(int32_t revision, uint32_t flags = 0, uint8_t units = 0,
                          int16_t multiplier = 1);
    FltTestWriter& pushLevel() { return record(10); }
    FltTestWriter& popLevel() { return record(11); }
    FltTestWriter& pushSubface() { return record(19); }
    FltTestWriter& popSubface() { return record(20); }

    // Palettes. The colour palette holds 1024 stored words (the first ones
    // given, the rest zero) and no names.
    FltTestWriter& colorPalette(const std::vector<uint32_t>& colors);
    FltTestWriter& material(int32_t index, const std::string& name, const Vec3& ambient,
                            const Vec3& diffuse, const Vec3& specular = {0, 0, 0},
                            const Vec3& emissive = {0, 0, 0}, float shininess = 0,
                            float alpha = 1);
    FltTestWriter& texturePattern(const std::string& fileName, int32_t patternIndex);

    // The vertex palette record. Without a length, its total length field is
    // filled in with the vertices that follow it.
    FltTestWriter& vertexPalette();
    FltTestWriter& vertexPalette(uint32_t totalLength);
    FltTestWriter& vertexColor(double x, double y, double z, uint32_t packedAbgr = 0xFFFFFFFF,
                               uint16_t flags = packedColorVertex);
    FltTestWriter& vertexColorNormal(double x, double y, double z, const Vec3& normal,
                                     uint32_t packedAbgr = 0xFFFFFFFF,
                                     uint16_t flags = packedColorVertex);
    FltTestWriter& vertexColorNormalUv(double x, double y, double z, const Vec3& normal,
                                       const Vec2& uv, uint32_t packedAbgr = 0xFFFFFFFF,
                                       uint16_t flags = packedColorVertex);
    FltTestWriter& vertexColorUv(double x, double y, double z, const Vec2& uv,
                                 uint32_t packedAbgr = 0xFFFFFFFF,
                                 uint16_t flags = packedColorVertex);
    // Vertex palette offset of the n-th vertex record written (8 for the
    // first, then each one behind the one before); -1 when there is none.
    int32_t vertexOffset(std::size_t n) const;
    std::size_t vertexCount() const { return vertexOffsets.size(); }

    // Geometry.
    FltTestWriter& object(const std::string& id, uint16_t transparency = 0);
    FltTestWriter& face(const std::string& id, const FltFaceStyle& style = FltFaceStyle());
    FltTestWriter& vertexList(const std::vector<int32_t>& offsets);
    // Pairs of (0 % vertex, 100 % vertex) offsets.
    FltTestWriter& morphVertexList(const std::vector<std::pair<int32_t, int32_t>>& offsets);
    // The extended record set's mesh: a face's fields behind a reserved word.
    FltTestWriter& mesh(const std::string& id, const FltFaceStyle& style = FltFaceStyle());
    // Mask bits from the most significant: position, colour index, packed
    // colour, normal, base UV, UV layers 1 to 7.
    static constexpr uint32_t positionAttribute = 0x80000000;
    static constexpr uint32_t colorIndexAttribute = 0x40000000;
    static constexpr uint32_t packedColorAttribute = 0x20000000;
    static constexpr uint32_t normalAttribute = 0x10000000;
    static constexpr uint32_t baseUvAttribute = 0x08000000;
    static constexpr uint32_t uvLayerAttribute(int layer) { return baseUvAttribute >> layer; }
    FltTestWriter& localVertexPool(uint32_t mask, const std::vector<FltLocalVertex>& vertices);
    // Indices written in `indexSize` bytes (1, 2 or 4), their number as the vertex count.
    FltTestWriter& meshPrimitive(int16_t type, uint16_t indexSize, const std::vector<uint32_t>& indices);

    // Nodes.
    // A Group record (32 bytes) with the given identifier.
    FltTestWriter& group(const std::string& id);
    FltTestWriter& lod(const std::string& id, double switchIn, double switchOut,
                       const Point& center = {0, 0, 0});
    FltTestWriter& oldLod(const std::string& id, uint32_t switchIn, uint32_t switchOut,
                          const std::array<int32_t, 3>& center = {0, 0, 0});
    // The mask words are written as given, whatever the counts say.
    FltTestWriter& switchNode(const std::string& id, int32_t currentMask, int32_t numberOfMasks,
                              int32_t wordsPerMask, const std::vector<uint32_t>& maskWords);
    FltTestWriter& dof(const std::string& id);
    // Planes are A, B, C, D of A x + B y + C z + D = 0; up to five, the rest zero.
    FltTestWriter& clipRegion(const std::string& id, const std::array<uint8_t, 5>& planeOn,
                              const std::vector<std::array<double, 4>>& planes);
    FltTestWriter& textNode(const std::string& id);
    FltTestWriter& externalReference(const std::string& path, uint32_t flags = 0);
    FltTestWriter& instanceDefinition(int16_t number);
    FltTestWriter& instanceReference(int16_t number);

    // Ancillary records.
    // Sixteen floats, row by row; a point is a row vector, so the
    // translation is the last row.
    FltTestWriter& matrix(const std::array<float, 16>& rows);
    FltTestWriter& translation(float x, float y, float z);
    // The text as it stands, without a terminating zero.
    FltTestWriter& comment(const std::string& text);
    FltTestWriter& longId(const std::string& text);
    FltTestWriter& replicate(int32_t count);

    std::vector<uint8_t> bytes();
    // Writes the database; returns false when the file cannot be written.
    bool save(const std::string& path);

private:
    FltTestWriter& put(const void* value, std::size_t size);
    FltTestWriter& putBigEndian(const void* value, std::size_t size);
    void closeRecord();
    void finishVertexPalette();
    FltTestWriter& vertexRecord(int16_t opcode, double x, double y, double z, uint16_t flags);
    FltTestWriter& faceFields(const FltFaceStyle& style);
    FltTestWriter& vertexColorEnd(uint32_t packedAbgr, bool reservedWord);

    std::vector<uint8_t> image;
    std::size_t recordStart = 0;
    bool recordOpen = false;
    bool lengthForced = false;
    // Where the last vertex palette record starts, and whether its total
    // length is still to be filled in.
    std::size_t paletteStart = 0;
    bool paletteLengthPending = false;
    std::vector<int32_t> vertexOffsets;
    std::size_t lastVertexLength = 0;
};
