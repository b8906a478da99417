// The extended record set: the Mesh's face fields behind their reserved
// word, the Local Vertex Pool's per-vertex layout as its mask names it, the
// Mesh Primitive's indices of each size, and counts the record cannot hold.

#include <gtest/gtest.h>

#include "FltRecordLocalVertexPool.h"
#include "FltRecordMesh.h"
#include "FltRecordMeshPrimitive.h"
#include "FltTestWriter.h"
#include "TestFiles.h"

namespace {

using Pool = FltRecordLocalVertexPool;

FltLocalVertex vertex(double x, double y, double z)
{
    FltLocalVertex v;
    v.position = {x, y, z};
    v.colorIndex = 77;
    v.packedColor = 0xFF0080FF;
    v.normal = {0, 0, 1};
    for (int layer = 0; layer < 8; ++layer)
        v.uv[layer] = {0.5f + layer, 0.25f};
    return v;
}

std::vector<uint8_t> poolBytes(uint32_t mask, const std::vector<FltLocalVertex>& vertices)
{
    return FltTestWriter().localVertexPool(mask, vertices).bytes();
}

} // namespace

TEST(MeshRecords, GoldenTranscripts)
{
    FltTestWriter w;
    w.mesh("m1", FltFaceStyle().texture(3).material(2).withFlags(FltFaceStyle::packedColor).packed(0xFF0000FF));
    const std::vector<uint8_t> meshBytes = w.bytes();
    ASSERT_EQ(meshBytes.size(), 84u);
    FltRecordMesh mesh(84);
    mesh.setVersion(1570);
    const std::string meshDump = decodeAndDump(mesh, meshBytes);
    EXPECT_EQ(meshDump.find("\n MESH RECORD \n  (PRIMARY_RECORD)\n-- Opcode: 84  Length: 84 --\n"
                            "idField: m1\nIRColorCode: 0\n"),
              0u)
        << meshDump;
    EXPECT_NE(meshDump.find("texturePatternIndex: 3\nmaterialIndex: 2\n"), std::string::npos);
    EXPECT_NE(meshDump.find("            Packed Color: 1\n"), std::string::npos);
    EXPECT_NE(meshDump.find("packedColor: alpha=1\n              blue=0\n             green=0\n"
                            "               red=1\n"),
              std::string::npos);
    EXPECT_EQ(meshDump.substr(meshDump.size() - 69),
              "textureMappingIndex: -1\nprimaryColorIndex: 0\nalternateColorIndex: -1\n");

    const uint32_t mask = FltTestWriter::positionAttribute | FltTestWriter::packedColorAttribute |
                          FltTestWriter::normalAttribute | FltTestWriter::uvLayerAttribute(2);
    const std::vector<uint8_t> bytes = poolBytes(mask, {vertex(1, 2, 3), vertex(-4, 5.5, 6)});
    Pool pool(static_cast<uint32_t>(bytes.size()));
    EXPECT_EQ(decodeAndDump(pool, bytes),
              "\n LOCAL VERTEX POOL RECORD \n  (ANCILLARY_RECORD)\n-- Opcode: 85  Length: 108 --\n"
              "vertexCount: 2\nattributeMask: 00000000B2000000\n"
              "vertex[0]: \n  position: 1 2 3\n  packedColor: 1 0 0.501961 1\n  normal: 0 0 1\n"
              "  uv2: 2.5 0.25\n"
              "vertex[1]: \n  position: -4 5.5 6\n  packedColor: 1 0 0.501961 1\n  normal: 0 0 1\n"
              "  uv2: 2.5 0.25\n");

    const std::vector<uint8_t> primitiveBytes = FltTestWriter().meshPrimitive(1, 2, {0, 1, 65535}).bytes();
    FltRecordMeshPrimitive primitive(18);
    EXPECT_EQ(decodeAndDump(primitive, primitiveBytes),
              "\n MESH PRIMITIVE RECORD \n  (PRIMARY_RECORD)\n-- Opcode: 86  Length: 18 --\n"
              "primitiveType: 1\nindexSize: 2\nvertexCount: 3\nindices: 0  1  65535  \n");
}

TEST(MeshRecords, EachVertexHoldsWhatTheMaskNamesInBitOrder)
{
    using W = FltTestWriter;
    const uint32_t everyUv = 0x0FF00000;
    const struct {
        uint32_t mask;
        std::size_t vertexSize;
    } layouts[] = {
        {W::positionAttribute, 24},
        {W::positionAttribute | W::colorIndexAttribute, 28},
        {W::positionAttribute | W::packedColorAttribute, 28},
        {W::positionAttribute | W::colorIndexAttribute | W::packedColorAttribute, 32},
        {W::positionAttribute | W::normalAttribute, 36},
        {W::positionAttribute | W::baseUvAttribute, 32},
        {W::positionAttribute | W::normalAttribute | W::baseUvAttribute, 44},
        {W::positionAttribute | W::uvLayerAttribute(7), 32},
        {W::positionAttribute | W::colorIndexAttribute | W::packedColorAttribute | everyUv, 96},
        {W::packedColorAttribute | W::normalAttribute, 16},
    };
    for (const auto& layout : layouts) {
        SCOPED_TRACE(testing::Message() << std::hex << layout.mask);
        const std::vector<uint8_t> bytes = poolBytes(layout.mask, {vertex(1, 2, 3), vertex(7, 8, 9)});
        ASSERT_EQ(bytes.size(), 12 + 2 * layout.vertexSize);
        Pool pool(static_cast<uint32_t>(bytes.size()));
        decodeAndDump(pool, bytes);
        EXPECT_EQ(pool.vertexSize(), layout.vertexSize);
        ASSERT_EQ(pool.vertices.size(), 2u);
        const Pool::Vertex& second = pool.vertices[1];
        if (pool.hasAttribute(Pool::positionBit)) {
            EXPECT_EQ(second.position[2], 9.0);
        }
        if (pool.hasAttribute(Pool::colorIndexBit)) {
            EXPECT_EQ(second.colorIndex, 77u);
        }
        if (pool.hasAttribute(Pool::packedColorBit)) {
            EXPECT_EQ(second.packedColor.bytes[2], 0x80);
        }
        if (pool.hasAttribute(Pool::normalBit)) {
            EXPECT_EQ(second.normal[2], 1.0f);
        }
        for (int layer = 0; layer < Pool::uvLayers; ++layer) {
            if (pool.hasAttribute(Pool::baseUvBit - layer)) {
                EXPECT_EQ(second.uv[layer][0], 0.5f + layer) << "layer " << layer;
            }
        }
    }
}

TEST(MeshRecords, IndicesOfEachSizeAndCountsTheRecordCannotHold)
{
    for (uint16_t size : {1, 2, 4}) {
        const std::vector<uint8_t> bytes = FltTestWriter().meshPrimitive(4, size, {3, 250, 0, 7}).bytes();
        FltRecordMeshPrimitive primitive(static_cast<uint32_t>(bytes.size()));
        decodeAndDump(primitive, bytes);
        EXPECT_EQ(primitive.indices, (std::vector<uint32_t>{3, 250, 0, 7})) << size;
    }

    // A count of four billion in a record of three indices: three, nothing more allocated.
    FltTestWriter cut;
    cut.record(86).i16(2).u16(4).u32(0xFFFFFFFF).u32(1).u32(2).u32(3);
    FltRecordMeshPrimitive many(24);
    decodeAndDump(many, cut.bytes());
    EXPECT_EQ(many.vertexCount, 0xFFFFFFFFu);
    EXPECT_EQ(many.indices.size(), 3u);

    FltTestWriter odd;
    odd.record(86).i16(2).u16(3).u32(2).bytes({0, 0, 1, 0, 0, 2});
    FltRecordMeshPrimitive three(18);
    decodeAndDump(three, odd.bytes());
    EXPECT_FALSE(three.hasValidIndexSize());
    EXPECT_TRUE(three.indices.empty());

    // A pool whose count, or whose mask, names more than its bytes keeps its whole vertices.
    std::vector<uint8_t> bytes = poolBytes(FltTestWriter::positionAttribute, {vertex(1, 2, 3), vertex(4, 5, 6)});
    bytes[4] = 0x7F; // a count of two billion and some
    Pool counted(static_cast<uint32_t>(bytes.size()));
    decodeAndDump(counted, bytes);
    EXPECT_EQ(counted.vertices.size(), 2u);
    bytes = poolBytes(FltTestWriter::positionAttribute, {vertex(1, 2, 3), vertex(4, 5, 6)});
    bytes[8] |= 0x10; // a normal the vertices do not carry
    Pool masked(static_cast<uint32_t>(bytes.size()));
    decodeAndDump(masked, bytes);
    ASSERT_EQ(masked.vertices.size(), 1u);
    EXPECT_EQ(masked.vertices[0].position[0], 1.0);

    // A mask naming nothing there is to read: no vertices, whatever the count.
    FltTestWriter empty;
    empty.record(85).u32(1000000).u32(0x00000001);
    Pool none(12);
    decodeAndDump(none, empty.bytes());
    EXPECT_TRUE(none.vertices.empty());
}
