// The record builders of the test writer: what the parser decodes from them
// is what the builder was given, at the record lengths of 15.7 files.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <stdexcept>

#include "FltFileInput.h"
#include "FltParser.h"
#include "FltRecords.h"
#include "FltTestWriter.h"
#include "TestFiles.h"

namespace {

// Parses a database (header first) and keeps its records.
struct Parsed {
    std::vector<std::unique_ptr<FltRecord>> records;
    std::vector<std::string> warnings;

    explicit Parsed(const std::vector<uint8_t>& bytes)
    {
        ScratchDir dir;
        const std::string path = dir.write("db.flt", bytes);
        WarningMark mark;
        StreamCapture out(std::cout);
        FltFileInput input(path.c_str());
        FltParser parser(&input);
        parser.parse();
        for (FltRecord* record : parser.getRecords())
            records.emplace_back(record);
        warnings = mark.texts();
    }

    // The n-th record after the header, as the class its builder makes.
    template <class Record>
    const Record& at(std::size_t n) const
    {
        const Record* record = dynamic_cast<const Record*>(records.at(n + 1).get());
        if (!record)
            throw std::runtime_error("record " + std::to_string(n) + " has another class");
        return *record;
    }

    std::vector<uint32_t> lengths() const
    {
        std::vector<uint32_t> all;
        for (std::size_t i = 1; i < records.size(); ++i)
            all.push_back(records[i]->getLength());
        return all;
    }
};

std::string id(const char* chars, std::size_t width)
{
    return std::string(chars, strnlen(chars, width));
}

} // namespace

TEST(FltTestWriter, PaletteAndVertexBuildersDecodeAsGivenWithRunningOffsets)
{
    FltTestWriter w;
    w.header(1570).colorPalette({0xFF0000FF, 0x80402010});
    w.material(3, "brass", {0.1f, 0.2f, 0.3f}, {0.4f, 0.5f, 0.6f}, {0.7f, 0.8f, 0.9f},
               {0.01f, 0.02f, 0.03f}, 64, 0.5f);
    w.texturePattern("tiles/brick.rgb", 7);
    w.vertexPalette();
    w.vertexColor(1, 2, 3, 0xFF102030);
    w.vertexColorNormal(4, 5, 6, {0, 0, 1});
    w.vertexColorNormalUv(7, 8, 9, {0, 1, 0}, {0.25f, 0.75f}, 0xFFFFFFFF, 0x2000);
    w.vertexColorUv(-1, -2, -3, {2, 3});
    w.pushLevel();
    const Parsed p(w.bytes());

    EXPECT_TRUE(p.warnings.empty());
    EXPECT_EQ(p.lengths(), (std::vector<uint32_t>{4228, 84, 216, 8, 40, 56, 64, 48, 4}));
    const auto& palette = p.at<FltRecordColorPalette>(0);
    EXPECT_EQ(palette.color[0], 0xFF0000FFu);
    EXPECT_EQ(palette.color[1], 0x80402010u);
    EXPECT_EQ(palette.color[1023], 0u);

    const auto& brass = p.at<FltRecordMaterial>(1);
    EXPECT_EQ(brass.index, 3);
    EXPECT_EQ(id(brass.name, 12), "brass");
    EXPECT_FLOAT_EQ(brass.ambient[2], 0.3f);
    EXPECT_FLOAT_EQ(brass.diffuse[0], 0.4f);
    EXPECT_FLOAT_EQ(brass.specular[1], 0.8f);
    EXPECT_FLOAT_EQ(brass.emissive[2], 0.03f);
    EXPECT_FLOAT_EQ(brass.shininess, 64);
    EXPECT_FLOAT_EQ(brass.alpha, 0.5f);

    const auto& texture = p.at<FltRecordTexturePattern>(2);
    EXPECT_EQ(id(texture.fileName, 200), "tiles/brick.rgb");
    EXPECT_EQ(texture.patternIndex, 7);

    // The palette's total length covers the vertices behind it.
    EXPECT_EQ(p.at<FltRecordVertexPalette>(3).vertexPaletteTotalLength, 8u + 40 + 56 + 64 + 48);
    EXPECT_EQ(w.vertexCount(), 4u);
    EXPECT_EQ(w.vertexOffset(0), 8);
    EXPECT_EQ(w.vertexOffset(1), 48);
    EXPECT_EQ(w.vertexOffset(2), 104);
    EXPECT_EQ(w.vertexOffset(3), 168);
    EXPECT_EQ(w.vertexOffset(4), -1);

    const auto& colour = p.at<FltRecordVertexColor>(4);
    EXPECT_EQ(colour.Zcoordinate, 3);
    EXPECT_EQ(colour.flags, FltTestWriter::packedColorVertex);
    EXPECT_EQ(colour.packedColor.bytes[3], 0x30);
    EXPECT_EQ(colour.vertexColorIndex, -1);
    EXPECT_FLOAT_EQ(p.at<FltRecordVertexColorNormal>(5).vertexNormal[2], 1);
    const auto& full = p.at<FltRecordVertexColorNormalUv>(6);
    EXPECT_EQ(full.Xcoordinate, 7);
    EXPECT_FLOAT_EQ(full.vertexNormal[1], 1);
    EXPECT_FLOAT_EQ(full.texture[1], 0.75f);
    EXPECT_EQ(full.flags, 0x2000);
    const auto& uv = p.at<FltRecordVertexColorUv>(7);
    EXPECT_EQ(uv.Ycoordinate, -2);
    EXPECT_FLOAT_EQ(uv.texture[0], 2);
    EXPECT_EQ(uv.packedColor.bytes[0], 0xFF);
}

TEST(FltTestWriter, GeometryBuildersDecodeAsGiven)
{
    FltTestWriter w;
    w.header(1570).object("box", 4000).pushLevel();
    w.face("lid", FltFaceStyle()
                      .material(2)
                      .texture(5)
                      .colorIndex(300)
                      .colorName(9)
                      .withFlags(FltFaceStyle::packedColor)
                      .transparent(1234)
                      .white(1)
                      .packed(0xFF112233));
    w.pushLevel().vertexList({8, 48, 104}).popLevel();
    w.pushSubface().face("plain").morphVertexList({{8, 48}, {104, 168}}).popSubface();
    w.popLevel();
    const Parsed p(w.bytes());

    EXPECT_TRUE(p.warnings.empty());
    EXPECT_EQ(p.lengths(), (std::vector<uint32_t>{28, 4, 80, 4, 16, 4, 4, 80, 20, 4, 4}));
    const auto& object = p.at<FltRecordObject>(0);
    EXPECT_EQ(id(object.idASCII, 8), "box");
    EXPECT_EQ(object.transparency, 4000);
    EXPECT_EQ(object.flags, 0);

    const auto& lid = p.at<FltRecordFace>(2);
    EXPECT_EQ(id(lid.idField, 8), "lid");
    EXPECT_EQ(lid.materialIndex, 2);
    EXPECT_EQ(lid.texturePatternIndex, 5);
    EXPECT_EQ(lid.primaryColorIndex, 300);
    EXPECT_EQ(lid.colorNameIndex, 9);
    EXPECT_EQ(lid.flags, FltFaceStyle::packedColor);
    EXPECT_EQ(lid.transparency, 1234);
    EXPECT_EQ(lid.textureWhite, 1);
    EXPECT_EQ(lid.packedPrimaryColor.bytes[1], 0x11);
    EXPECT_EQ(lid.packedPrimaryColor.bytes[3], 0x33);
    EXPECT_EQ(lid.textureMappingIndex, -1);
    EXPECT_EQ(lid.alternateColorIndex, -1);
    EXPECT_EQ(lid.detailTexturePatternIndex, -1);
    EXPECT_EQ(p.at<FltRecordVertexList>(4).offsets, (std::vector<int32_t>{8, 48, 104}));

    // A face given no style has neither material nor texture.
    const auto& plain = p.at<FltRecordFace>(7);
    EXPECT_EQ(plain.materialIndex, -1);
    EXPECT_EQ(plain.texturePatternIndex, -1);
    EXPECT_EQ(plain.flags, 0u);
    EXPECT_EQ(p.at<FltRecordMorphVertexList>(8).offsets,
              (std::vector<std::pair<int32_t, int32_t>>{{8, 48}, {104, 168}}));
}

TEST(FltTestWriter, NodeAndAncillaryBuildersDecodeAsGiven)
{
    FltTestWriter w;
    w.header(1570);
    w.lod("near", 250, 10, {1, 2, 3});
    w.oldLod("old", 90, 5, {-4, 5, -6});
    w.switchNode("lamps", 1, 2, 1, {0x5, 0x2});
    w.dof("hinge").textNode("sign");
    w.clipRegion("cut", {1, 0, 1, 0, 0}, {{1, 2, 3, 4}, {5, 6, 7, 8}});
    w.externalReference("models/tree.flt", 0x80000000u);
    w.instanceDefinition(3).instanceReference(-2);
    w.matrix({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}).translation(6, 7, 8);
    w.comment("two\r\nlines").longId("aVeryLongName").replicate(3);
    const Parsed p(w.bytes());

    EXPECT_TRUE(p.warnings.empty());
    EXPECT_EQ(p.lengths(), (std::vector<uint32_t>{80, 40, 36, 384, 320, 280, 216, 8, 8, 68, 68, 14,
                                                  17, 12}));
    const auto& lod = p.at<FltRecordLOD>(0);
    EXPECT_EQ(id(lod.idASCII, 8), "near");
    EXPECT_EQ(lod.switchInDistance, 250);
    EXPECT_EQ(lod.switchOutDistance, 10);
    EXPECT_EQ(lod.XcenterCoordinate, 1);
    EXPECT_EQ(lod.ZcenterCoordinate, 3);
    EXPECT_EQ(lod.transitionRange, 0);
    const auto& old = p.at<FltRecordOLDLOD>(1);
    EXPECT_EQ(old.switchInDistance, 90u);
    EXPECT_EQ(old.switchOutDistance, 5u);
    EXPECT_EQ(old.YcenterCoordinate, 5);
    EXPECT_EQ(old.ZcenterCoordinate, -6);

    const auto& lamps = p.at<FltRecordSwitch>(2);
    EXPECT_EQ(lamps.indexOfCurrentMask, 1);
    EXPECT_EQ(lamps.numberOfMasks, 2);
    EXPECT_EQ(lamps.numberOf32BitWordsPerMask, 1);
    EXPECT_EQ(lamps.maskWords, (std::vector<uint32_t>{0x5, 0x2}));
    EXPECT_EQ(id(p.at<FltRecordDOF>(3).idASCII, 8), "hinge");
    EXPECT_EQ(id(p.at<FltRecordText>(4).idASCII, 8), "sign");

    // Planes are given per plane; the file holds them per coefficient.
    const auto& cut = p.at<FltRecordClipRegion>(5);
    EXPECT_TRUE(cut.isPlaneOn(0));
    EXPECT_FALSE(cut.isPlaneOn(1));
    EXPECT_TRUE(cut.isPlaneOn(2));
    EXPECT_EQ(cut.clipRegionCoefs[0][0], 1);
    EXPECT_EQ(cut.clipRegionCoefs[3][0], 4);
    EXPECT_EQ(cut.clipRegionCoefs[0][1], 5);
    EXPECT_EQ(cut.clipRegionCoefs[2][1], 7);
    EXPECT_EQ(cut.clipRegionCoefs[3][4], 0);

    const auto& tree = p.at<FltRecordExternalReference>(6);
    EXPECT_EQ(id(tree.asciiPath, 200), "models/tree.flt");
    EXPECT_EQ(static_cast<uint32_t>(tree.flags), 0x80000000u);
    EXPECT_EQ(p.at<FltRecordInstanceDefinition>(7).instanceDefinitionNumber, 3);
    EXPECT_EQ(p.at<FltRecordInstanceReference>(8).instanceDefinitionNumber, -2);

    EXPECT_EQ(p.at<FltRecordMatrix>(9).matrix[0][1], 2);
    EXPECT_EQ(p.at<FltRecordMatrix>(9).matrix[3][0], 13);
    const auto& moved = p.at<FltRecordMatrix>(10).matrix;
    EXPECT_EQ(moved[0][0], 1);
    EXPECT_EQ(moved[3][1], 7);
    EXPECT_EQ(moved[3][2], 8);
    EXPECT_EQ(moved[3][3], 1);
    EXPECT_EQ(p.at<FltRecordComment>(11).textDescription, "two\r\nlines");
    EXPECT_EQ(p.at<FltRecordLongID>(12).idASCII, "aVeryLongName");
    EXPECT_EQ(p.at<FltRecordReplicate>(13).numberOfReplications, 3);
}
