#include <gtest/gtest.h>

#include <string>

#include "FltRecordFace.h"
#include "FltRecordMultitexture.h"
#include "FltTestWriter.h"
#include "TestFiles.h"

namespace {

// A face of revision 1500 on (80 bytes): before 1500 the bytes behind the
// alternate colour are not read.
std::vector<uint8_t> faceBytes()
{
    FltTestWriter w;
    w.record(5).text("p1", 8).i32(-7).i16(3).i8(-1).i8(1).u16(130).u16(65535);
    w.i8(0).i8(2).i16(-1).i16(4).i16(-1).i16(9).i16(11).i32(12).u16(32768);
    w.u8(200).u8(1).u32(0x90000000).u8(3).u8(0).u16(0).u32(0);
    w.bytes({0xFF, 0x00, 0x80, 0x40}).bytes({0x00, 0xFF, 0x00, 0xFF});
    return w.i16(2).i16(0).i32(1000).i32(-1).i16(0).i16(0).bytes();
}

const char* const faceFixedPart =
    "\n FACE RECORD \n  (PRIMARY_RECORD)\n-- Opcode: 5  Length: 80 --\n"
    "idField: p1\nIRColorCode: -7\nrelativePriority: 3\ndrawType: -1\ntextureWhite: 1\n"
    "colorNameIndex: 130\nalternateColorNameIndex: 65535\ntemplateBillboard: 2\n"
    "detailTexturePatternIndex: -1\ntexturePatternIndex: 4\nmaterialIndex: -1\n"
    "surfaceMaterialCode: 9\nidFeature: 11\nIRMaterialCode: 12\ntransparency: 32768\n"
    "LODGenerationControl: 200\nlineStyleIndex: 1\n"
    "flags:           Terrain: 1\n                No Color: 0\n      No Alternate Color: 0\n"
    "            Packed Color: 1\n  Terrain Culture Cutout: 0\n      Hidden (not drawn): 0\n"
    "lightMode: 3\n"
    "packedColor: alpha=1\n              blue=0\n             green=0.501961\n"
    "               red=0.25098\n"
    "alternatePackedColor: alpha=0\n                       blue=1\n"
    "                      green=0\n                        red=1\n";

} // namespace

TEST(FaceRecords, GoldenTranscripts)
{
    FltRecordFace face(80);
    face.setVersion(1500);
    EXPECT_EQ(decodeAndDump(face, faceBytes()),
              std::string(faceFixedPart) +
                  "textureMappingIndex: 2\nprimaryColorIndex: 1000\nalternateColorIndex: -1\n");

    FltTestWriter w;
    w.record(52).i32(5).u16(1).u16(2).u16(3).u16(4).u16(5).u16(6).u16(7).u16(8);
    FltRecordMultitexture multi(24);
    EXPECT_EQ(decodeAndDump(multi, w.bytes()),
              "\n MULTI TEXTURE RECORD \n  (ANCILLARY_RECORD)\n-- Opcode: 52  Length: 24 --\n"
              "attributeMask: 0000000000000005\n"
              "layer[0]: \n  texture: 1\n   effect: 2\n  mapping: 3\n     data: 4\n"
              "layer[2]: \n  texture: 5\n   effect: 6\n  mapping: 7\n     data: 8\n");
    EXPECT_FALSE(multi.isLayerPresent(1));
}

TEST(FaceRecords, RevisionBranches)
{
    // Before 1500: no mapping, colour indices from the name index, one index line.
    FltRecordFace face(80);
    face.setVersion(1499);
    EXPECT_EQ(decodeAndDump(face, faceBytes()),
              std::string(faceFixedPart) + "primaryColorIndex: 130\n");
    EXPECT_EQ(face.textureMappingIndex, -1);
    EXPECT_EQ(face.alternateColorIndex, 130);
}

TEST(FaceRecords, ShortAndLyingRecords)
{
    // A 1570 face cut inside its colour indices keeps the older fallbacks.
    std::vector<uint8_t> cut = faceBytes();
    cut.resize(70);
    cut[3] = 70;
    FltRecordFace face(70);
    face.setVersion(1570);
    decodeAndDump(face, cut);
    EXPECT_EQ(face.textureMappingIndex, 2);
    EXPECT_EQ(face.primaryColorIndex, 130);

    // Mask says eight layers, bytes hold one and a half: only the whole one is present.
    FltTestWriter w;
    w.record(52).i32(-1).u16(1).u16(2).u16(3).u16(4).u16(9).u16(9);
    FltRecordMultitexture multi(20);
    const std::string dump = decodeAndDump(multi, w.bytes());
    EXPECT_NE(dump.find("attributeMask: FFFFFFFFFFFFFFFF\nlayer[0]: "), std::string::npos);
    EXPECT_EQ(dump.find("layer[1]"), std::string::npos);
    EXPECT_TRUE(multi.isLayerPresent(0));
    EXPECT_FALSE(multi.isLayerPresent(1));
    EXPECT_EQ(multi.layers[1].texture, 0);
}
