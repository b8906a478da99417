#include "FltTestWriter.h"

#include <cstring>
#include <fstream>

FltTestWriter& FltTestWriter::put(const void* value, std::size_t size)
{
    const uint8_t* bytes = static_cast<const uint8_t*>(value);
    image.insert(image.end(), bytes, bytes + size);
    return *this;
}

FltTestWriter& FltTestWriter::putBigEndian(const void* value, std::size_t size)
{
    uint8_t bytes[8];
    std::memcpy(bytes, value, size);
    const uint16_t one = 1;
    if (*reinterpret_cast<const uint8_t*>(&one) == 1)
        for (std::size_t i = 0; i < size / 2; ++i)
            std::swap(bytes[i], bytes[size - 1 - i]);
    return put(bytes, size);
}

void FltTestWriter::closeRecord()
{
    if (!recordOpen)
        return;
    if (!lengthForced) {
        const std::size_t length = image.size() - recordStart;
        image[recordStart + 2] = static_cast<uint8_t>(length >> 8);
        image[recordStart + 3] = static_cast<uint8_t>(length);
    }
    recordOpen = false;
    lengthForced = false;
}

FltTestWriter& FltTestWriter::record(int16_t opcode)
{
    closeRecord();
    if (opcode < 68 || opcode > 71)
        finishVertexPalette();
    recordStart = image.size();
    recordOpen = true;
    i16(opcode);
    return u16(0);
}

FltTestWriter& FltTestWriter::lengthField(uint16_t length)
{
    image[recordStart + 2] = static_cast<uint8_t>(length >> 8);
    image[recordStart + 3] = static_cast<uint8_t>(length);
    lengthForced = true;
    return *this;
}

FltTestWriter& FltTestWriter::bytes(std::initializer_list<uint8_t> values)
{
    image.insert(image.end(), values.begin(), values.end());
    return *this;
}

FltTestWriter& FltTestWriter::text(const std::string& value, std::size_t width)
{
    for (std::size_t i = 0; i < width; ++i)
        image.push_back(i < value.size() ? static_cast<uint8_t>(value[i]) : 0);
    return *this;
}

FltTestWriter& FltTestWriter::zeros(std::size_t count)
{
    image.insert(image.end(), count, 0);
    return *this;
}

FltTestWriter& FltTestWriter::padTo(std::size_t length)
{
    const std::size_t have = image.size() - recordStart;
    return have < length ? zeros(length - have) : *this;
}

FltTestWriter& FltTestWriter::header(int32_t revision, uint32_t flags, uint8_t units,
                                     int16_t multiplier)
{
    std::size_t length = 164;
    if (revision >= 1570)
        length = 324;
    else if (revision >= 1550)
        length = 278;
    else if (revision >= 1540)
        length = 276;
    else if (revision >= 1500)
        length = 272;
    else if (revision >= 1420)
        length = 268;
    record(1).text("db", 8).i32(revision).i32(1).text("Sat Dec  5 12:00:00 2026", 32);
    i16(1).i16(1).i16(1).i16(1).i16(multiplier).u8(units).u8(0).u32(flags);
    return padTo(length);
}

FltTestWriter& FltTestWriter::group(const std::string& id)
{
    return record(2).text(id, 8).padTo(32);
}

FltTestWriter& FltTestWriter::colorPalette(const std::vector<uint32_t>& colors)
{
    record(32).zeros(128);
    for (std::size_t i = 0; i < 1024; ++i)
        u32(i < colors.size() ? colors[i] : 0);
    return *this;
}

FltTestWriter& FltTestWriter::material(int32_t index, const std::string& name, const Vec3& ambient,
                                       const Vec3& diffuse, const Vec3& specular,
                                       const Vec3& emissive, float shininess, float alpha)
{
    // The flag word marks the entry as used, as every saved material is.
    record(113).i32(index).text(name, 12).u32(0x80000000u);
    for (const Vec3* colour : {&ambient, &diffuse, &specular, &emissive})
        f32((*colour)[0]).f32((*colour)[1]).f32((*colour)[2]);
    return f32(shininess).f32(alpha).i32(0);
}

FltTestWriter& FltTestWriter::texturePattern(const std::string& fileName, int32_t patternIndex)
{
    return record(64).text(fileName, 200).i32(patternIndex).i32(0).i32(0);
}

FltTestWriter& FltTestWriter::vertexPalette(uint32_t totalLength)
{
    return record(67).u32(totalLength);
}

FltTestWriter& FltTestWriter::vertexPalette()
{
    vertexPalette(0);
    paletteStart = recordStart;
    paletteLengthPending = true;
    return *this;
}

void FltTestWriter::finishVertexPalette()
{
    if (!paletteLengthPending)
        return;
    paletteLengthPending = false;
    const std::size_t total = image.size() - paletteStart;
    for (int i = 0; i < 4; ++i)
        image[paletteStart + 4 + i] = static_cast<uint8_t>(total >> (24 - 8 * i));
}

// The converter keys vertices by a running offset that starts behind the
// 8-byte vertex palette record and grows by each vertex record's length.
FltTestWriter& FltTestWriter::vertexRecord(int16_t opcode, double x, double y, double z,
                                           uint16_t flags)
{
    static const std::size_t lengths[4] = {vertexColorLength, vertexColorNormalLength,
                                           vertexColorNormalUvLength, vertexColorUvLength};
    const int32_t offset = vertexOffsets.empty()
                               ? 8
                               : vertexOffsets.back() + static_cast<int32_t>(lastVertexLength);
    vertexOffsets.push_back(offset);
    lastVertexLength = lengths[opcode - 68];
    return record(opcode).u16(0).u16(flags).f64(x).f64(y).f64(z);
}

FltTestWriter& FltTestWriter::vertexColorEnd(uint32_t packedAbgr, bool reservedWord)
{
    u32(packedAbgr).i32(-1);
    return reservedWord ? i32(0) : *this;
}

FltTestWriter& FltTestWriter::vertexColor(double x, double y, double z, uint32_t packedAbgr,
                                          uint16_t flags)
{
    vertexRecord(68, x, y, z, flags);
    return vertexColorEnd(packedAbgr, false);
}

FltTestWriter& FltTestWriter::vertexColorNormal(double x, double y, double z, const Vec3& normal,
                                                uint32_t packedAbgr, uint16_t flags)
{
    vertexRecord(69, x, y, z, flags).f32(normal[0]).f32(normal[1]).f32(normal[2]);
    return vertexColorEnd(packedAbgr, true);
}

FltTestWriter& FltTestWriter::vertexColorNormalUv(double x, double y, double z, const Vec3& normal,
                                                  const Vec2& uv, uint32_t packedAbgr,
                                                  uint16_t flags)
{
    vertexRecord(70, x, y, z, flags).f32(normal[0]).f32(normal[1]).f32(normal[2]);
    f32(uv[0]).f32(uv[1]);
    return vertexColorEnd(packedAbgr, true);
}

FltTestWriter& FltTestWriter::vertexColorUv(double x, double y, double z, const Vec2& uv,
                                            uint32_t packedAbgr, uint16_t flags)
{
    vertexRecord(71, x, y, z, flags).f32(uv[0]).f32(uv[1]);
    return vertexColorEnd(packedAbgr, false);
}

int32_t FltTestWriter::vertexOffset(std::size_t n) const
{
    return n < vertexOffsets.size() ? vertexOffsets[n] : -1;
}

FltTestWriter& FltTestWriter::object(const std::string& id, uint16_t transparency)
{
    return record(4).text(id, 8).i32(0).i16(0).u16(transparency).i16(0).i16(0).i16(0).i16(0);
}

FltTestWriter& FltTestWriter::face(const std::string& id, const FltFaceStyle& style)
{
    return record(5).text(id, 8).faceFields(style);
}

FltTestWriter& FltTestWriter::mesh(const std::string& id, const FltFaceStyle& style)
{
    return record(84).text(id, 8).i32(0).faceFields(style);
}

FltTestWriter& FltTestWriter::faceFields(const FltFaceStyle& style)
{
    i32(0).i16(0);
    // Draw type, then the texture white flag.
    i8(style.drawType).i8(style.textureWhite).u16(style.colorNameIndex).u16(0).i8(0).i8(0);
    // Detail texture, texture, material, surface material code, feature id.
    i16(-1).i16(style.texturePatternIndex).i16(style.materialIndex).i16(0).i16(0);
    i32(0).u16(style.transparency).u8(0).u8(0).u32(style.flags);
    u8(style.lightMode).u8(0).u16(0).u32(0).u32(style.packedPrimaryColor).u32(0);
    // No texture mapping, the primary colour index, no alternate colour.
    return i16(-1).i16(0).i32(style.primaryColorIndex).i32(-1).i16(0).i16(0);
}

FltTestWriter& FltTestWriter::vertexList(const std::vector<int32_t>& offsets)
{
    record(72);
    for (int32_t offset : offsets)
        i32(offset);
    return *this;
}

FltTestWriter& FltTestWriter::localVertexPool(uint32_t mask, const std::vector<FltLocalVertex>& vertices)
{
    record(85).u32(static_cast<uint32_t>(vertices.size())).u32(mask);
    for (const FltLocalVertex& v : vertices) {
        if (mask & positionAttribute)
            f64(v.position[0]).f64(v.position[1]).f64(v.position[2]);
        if (mask & colorIndexAttribute)
            u32(v.colorIndex);
        if (mask & packedColorAttribute)
            u32(v.packedColor);
        if (mask & normalAttribute)
            f32(v.normal[0]).f32(v.normal[1]).f32(v.normal[2]);
        for (int layer = 0; layer < 8; ++layer)
            if (mask & uvLayerAttribute(layer))
                f32(v.uv[layer][0]).f32(v.uv[layer][1]);
    }
    return *this;
}

FltTestWriter& FltTestWriter::meshPrimitive(int16_t type, uint16_t indexSize, const std::vector<uint32_t>& indices)
{
    record(86).i16(type).u16(indexSize).u32(static_cast<uint32_t>(indices.size()));
    for (uint32_t index : indices) {
        if (indexSize == 1)
            u8(static_cast<uint8_t>(index));
        else if (indexSize == 2)
            u16(static_cast<uint16_t>(index));
        else
            u32(index);
    }
    return *this;
}

FltTestWriter& FltTestWriter::morphVertexList(const std::vector<std::pair<int32_t, int32_t>>& offsets)
{
    record(89);
    for (const auto& pair : offsets)
        i32(pair.first).i32(pair.second);
    return *this;
}

FltTestWriter& FltTestWriter::lod(const std::string& id, double switchIn, double switchOut,
                                  const Point& center)
{
    record(73).text(id, 8).i32(0).f64(switchIn).f64(switchOut).i16(0).i16(0).i32(0);
    // Centre, transition range, then the significant size of 15.7 files.
    return f64(center[0]).f64(center[1]).f64(center[2]).f64(0).f64(0);
}

FltTestWriter& FltTestWriter::oldLod(const std::string& id, uint32_t switchIn, uint32_t switchOut,
                                     const std::array<int32_t, 3>& center)
{
    record(3).text(id, 8).u32(switchIn).u32(switchOut).i16(0).i16(0).i32(0);
    return i32(center[0]).i32(center[1]).i32(center[2]);
}

FltTestWriter& FltTestWriter::switchNode(const std::string& id, int32_t currentMask,
                                         int32_t numberOfMasks, int32_t wordsPerMask,
                                         const std::vector<uint32_t>& maskWords)
{
    record(96).text(id, 8).i32(0).i32(currentMask).i32(numberOfMasks).i32(wordsPerMask);
    for (uint32_t word : maskWords)
        u32(word);
    return *this;
}

FltTestWriter& FltTestWriter::dof(const std::string& id)
{
    // Local frame, limits and flags all zero.
    return record(14).text(id, 8).padTo(384);
}

FltTestWriter& FltTestWriter::clipRegion(const std::string& id, const std::array<uint8_t, 5>& planeOn,
                                         const std::vector<std::array<double, 4>>& planes)
{
    record(98).text(id, 8).i32(0).i16(0);
    for (uint8_t on : planeOn)
        u8(on);
    // The sixth flag byte and the four region corners.
    zeros(1 + 12 * 8);
    // Stored coefficient by coefficient: the five A values, then B, C and D.
    for (std::size_t coefficient = 0; coefficient < 4; ++coefficient)
        for (std::size_t plane = 0; plane < 5; ++plane)
            f64(plane < planes.size() ? planes[plane][coefficient] : 0.0);
    return *this;
}

FltTestWriter& FltTestWriter::textNode(const std::string& id)
{
    return record(95).text(id, 8).padTo(320);
}

FltTestWriter& FltTestWriter::externalReference(const std::string& path, uint32_t flags)
{
    return record(63).text(path, 200).i32(0).u32(flags).i32(0);
}

FltTestWriter& FltTestWriter::instanceDefinition(int16_t number)
{
    return record(62).i16(0).i16(number);
}

FltTestWriter& FltTestWriter::instanceReference(int16_t number)
{
    return record(61).i16(0).i16(number);
}

FltTestWriter& FltTestWriter::matrix(const std::array<float, 16>& rows)
{
    record(49);
    for (float value : rows)
        f32(value);
    return *this;
}

FltTestWriter& FltTestWriter::translation(float x, float y, float z)
{
    return matrix({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1});
}

FltTestWriter& FltTestWriter::comment(const std::string& value)
{
    return record(31).text(value, value.size());
}

FltTestWriter& FltTestWriter::longId(const std::string& value)
{
    return record(33).text(value, value.size());
}

FltTestWriter& FltTestWriter::replicate(int32_t count)
{
    return record(60).i32(count).i32(0);
}

std::vector<uint8_t> FltTestWriter::bytes()
{
    closeRecord();
    finishVertexPalette();
    return image;
}

bool FltTestWriter::save(const std::string& path)
{
    const std::vector<uint8_t> data = bytes();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    return static_cast<bool>(file);
}
