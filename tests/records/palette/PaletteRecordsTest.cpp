#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "FltRecords.h"
#include "FltTestWriter.h"
#include "Flt_15_7_CreationVisitor.h"
#include "TestFiles.h"

namespace {

std::string head(const char* title, int opcode, std::size_t length)
{
    return std::string(title) + "\n  (PALETTE_RECORD)\n-- Opcode: " + std::to_string(opcode) +
           "  Length: " + std::to_string(length) + " --\n";
}

// Decodes one record of the given revision through the factory; returns its dump.
std::string dump(const std::vector<uint8_t>& bytes, int32_t revision = 1570,
                 std::unique_ptr<FltRecord>* keep = nullptr)
{
    std::unique_ptr<FltRecord> record(Flt_15_7_CreationVisitor::instantiate(
        (bytes[0] << 8) | bytes[1], static_cast<uint32_t>(bytes.size())));
    if (auto* version = dynamic_cast<FltVersion*>(record.get()))
        version->setVersion(revision);
    const std::string text = decodeAndDump(*record, bytes);
    if (keep)
        *keep = std::move(record);
    return text;
}

template <class Record>
Record& as(std::unique_ptr<FltRecord>& record) { return dynamic_cast<Record&>(*record); }

// Colour lines of a table whose entries are all zero but the given ones.
std::string colorLines(std::size_t count, std::map<std::size_t, std::string> set)
{
    std::string text = "here's the " + std::to_string(count) + " values of the color Palette:\n";
    for (std::size_t i = 0; i < count; ++i)
        text += "  color[" + std::to_string(i) + "] = (" +
                (set.count(i) ? set[i] : "0000000000000000") + ")\n";
    return text;
}

FltTestWriter& colorName(FltTestWriter& w, uint16_t length, int16_t index, const std::string& name)
{
    return w.u16(length).i16(0).i16(index).i16(0).text(name, length - 8u);
}

} // namespace

TEST(PaletteRecords, GoldenTranscripts)
{
    FltTestWriter material;
    material.record(113).i32(3).text("steel", 12).u32(0x80000000u);
    for (float v : {0.5f, 0.25f, 0.125f, 1.f, 2.f, 3.f, 4.f, 5.f, 6.f, 7.f, 8.f, 9.f, 64.f, 0.75f})
        material.f32(v);
    FltTestWriter names;
    names.record(114).i32(2).u16(9).i32(14).u16(7).text("seven", 8).i32(14).u16(3).text("three", 8);
    FltTestWriter colors; // 1024 colours and three names, two of them for index 5
    colors.record(32).zeros(128).bytes({0xFF, 0x10, 0x20, 0x30}).zeros(1022 * 4).bytes({1, 2, 3, 4});
    colorName(colorName(colorName(colors.i32(3), 16, 5, "red"), 16, 2, "blue"), 16, 5, "crimson");

    EXPECT_EQ(dump(material.i32(0).bytes()) +
                  dump(FltTestWriter().record(113).padTo(84).bytes()) +
                  dump(FltTestWriter().record(64).text("wall.rgb", 200).i32(7).i32(10).i32(-20).bytes()) +
                  dump(FltTestWriter().record(97).i16(2).u16(0xFF00).i32(3).bytes()) +
                  dump(names.bytes()) + dump(colors.bytes()),
              head("\n MATERIAL PALETTE RECORD ", 113, 84) +
                  "index: 3\nname : steel\nflags: material IS used\n"
                  "ambient  (RGB) : 0.5 0.25 0.125\ndiffuse  (RGB) : 1 2 3\n"
                  "specular (RGB) : 4 5 6\nemissive (RGB) : 7 8 9\n"
                  "shininess      : 64\nalpha          : 0.75\n" +
                  head("\n MATERIAL PALETTE RECORD ", 113, 84) +
                  "index: 0\nname : \nflags: material IS NOT used\n"
                  "ambient  (RGB) : 0 0 0\ndiffuse  (RGB) : 0 0 0\nspecular (RGB) : 0 0 0\n"
                  "emissive (RGB) : 0 0 0\nshininess      : 0\nalpha          : 0\n" +
                  head("\n TEXTURE_PATTERN RECORD ", 64, 216) +
                  "fileName: wall.rgb\npatternIndex: 7\nXlocationInTexturePalette: 10\n"
                  "YlocationInTexturePalette: -20\n" +
                  head("\n LINE STYLE PALETTE RECORD ", 97, 12) +
                  "lineStyleIndex : 2\npatternMask : -256\nlineWidth : 3\n" +
                  head("\n NAME PALETTE RECORD ", 114, 38) +
                  "numberOfNames: 2\nnextAvailableIndex: 9\nname[3] : three\nname[7] : seven\n" +
                  head("\n COLOR PALETTE RECORD ", 32, 4280) +
                  colorLines(1024, {{0, "00000000302010FF"}, {1023, "0000000004030201"}}) +
                  "numberOfColorNames: 3\nnumber of elements in setOfColorEntries: 2\n"
                  "1st ColorEntry \n  length: 16\n   index: 2\n    name: blue\n"
                  "2st ColorEntry \n  length: 16\n   index: 5\n    name: crimson\n");
}

TEST(PaletteRecords, VersionBranches)
{
    // Up to revision 13: 32 base colours become ramps of 128, then 56 fixed colours.
    std::unique_ptr<FltRecord> kept;
    const std::string ramps = dump(
        FltTestWriter().record(32).bytes({200, 100, 0}).zeros(93).bytes({9, 8, 7}).padTo(268).bytes(),
        13, &kept);
    const auto& old = as<FltRecordColorPalette>(kept);
    EXPECT_EQ(old.color[0], 0u);
    EXPECT_EQ(old.color[127], 198u | (99u << 8));
    EXPECT_EQ(old.color[4096], 9u | (8u << 8) | (7u << 16));
    EXPECT_NE(ramps.find("\n  color[64] = (0000000064320000)\n"), std::string::npos);
    EXPECT_EQ(ramps.substr(ramps.size() - 34), "  color[511] = (0000000000000000)\n");

    // Up to 14.2: 512 colours, and a record of that size dumps just them.
    FltTestWriter mid;
    mid.record(32).zeros(128).u32(0x11).zeros(510 * 4).u32(0x22);
    const std::string midDump = dump(mid.bytes(), 1420);
    EXPECT_EQ(midDump.substr(midDump.find("here's")),
              colorLines(512, {{0, "0000000011000000"}, {511, "0000000022000000"}}));

    // Later: a record without names still has the name lines.
    const std::string bare = dump(FltTestWriter().record(32).padTo(4228).bytes(), 1421);
    EXPECT_NE(bare.find("  color[1023] = (0000000000000000)\nnumberOfColorNames: 0\n"
                        "number of elements in setOfColorEntries: 0\n(No Color Entry)\n"),
              std::string::npos);

    // Obsolete material palette: names only from revision 14.
    FltTestWriter materials;
    materials.record(66).f32(0.2f).zeros(44).f32(32).f32(1).u32(0x80000000u).text("abc", 12);
    const std::vector<uint8_t> palette = materials.padTo(11780).bytes();
    const std::string entry0 = head("\n OLD MATERIAL PALETTE RECORD (OBSOLETE)", 66, 11780) +
        " Material at index: 0\n\n ambientRed: 0.2\n ambientGreen : 0\n ambientBlue: 0\n\n"
        " diffuseRed: 0\n diffuseGreen: 0\n diffuseBlue: 0\n\n"
        " specularRed : 0\n specularGreen: 0\n specularBlue: 0\n\n"
        " emissiveRed: 0\n emissiveGreen: 0\n emissiveBlue: 0\n\n"
        "shininess: 32\nalpha: 1\nflags: \n      material used: 1\n";
    const std::string named = dump(palette, 14), unnamed = dump(palette, 12, &kept);
    EXPECT_EQ(named.substr(0, entry0.size() + 16), entry0 + "name : abc\n\n Mat");
    EXPECT_EQ(unnamed.substr(0, entry0.size() + 5), entry0 + "\n Mat");
    EXPECT_EQ(unnamed.find("name : "), std::string::npos);
    EXPECT_EQ(as<FltRecordOLDMaterialPalette>(kept).entries[0].name[0], '\0');
    EXPECT_NE(named.find("\n Material at index: 63\n\n ambientRed: 0\n"), std::string::npos);

    // Texture pattern: the 96-byte form has an 80-character name.
    dump(FltTestWriter().record(64).text("a.rgb", 80).i32(4).i32(5).i32(6).bytes(), 0, &kept);
    EXPECT_EQ(as<FltRecordTexturePattern>(kept).patternIndex, 4);
    EXPECT_EQ(as<FltRecordTexturePattern>(kept).YlocationInTexturePalette, 6);
}

TEST(PaletteRecords, TruncatedAndLyingRecords)
{
    // Colour names: a length below the head, a huge count, a name running off the record.
    FltTestWriter colors;
    colorName(colors.record(32).padTo(4228).i32(1000000).u16(3).zeros(6), 12, 4, "ok");
    colors.u16(60000).i16(0).i16(6).i16(0).text("cut", 3);
    std::unique_ptr<FltRecord> kept;
    dump(colors.bytes(), 1570, &kept);
    auto& entries = as<FltRecordColorPalette>(kept).setOfColorEntries;
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[4].name.c_str(), std::string("ok"));
    EXPECT_EQ(entries[6].name, "cut");

    // Name entries: too short, longer than 80 characters, normal, far too long.
    FltTestWriter names;
    names.record(114).i32(4).u16(0).i32(2).u16(1);
    names.i32(6 + 100).u16(2).text(std::string(100, 'x'), 100).i32(10).u16(3).text("end", 4);
    dump(names.i32(0x7FFFFFFF).u16(4).bytes(), 1570, &kept);
    auto& table = as<FltRecordNamePalette>(kept).names;
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[2], std::string(80, 'x'));
    EXPECT_EQ(table[3], "end");

    // A short record keeps zero in the fields it does not have.
    dump(FltTestWriter().record(113).i32(1).zeros(16).i16(0x3F80).bytes(), 0, &kept);
    EXPECT_EQ(as<FltRecordMaterial>(kept).index, 1);
    EXPECT_EQ(as<FltRecordMaterial>(kept).ambient[0], 0.f);

    // Lengths across each layout with random contents, finely where counts and
    // entry lengths come from the file: nothing may be read outside the
    // record's own bytes (the sanitizer build checks this).
    struct Sweep { int opcode; std::size_t from, to, step; int32_t revision; };
    std::mt19937 random(1570);
    for (const Sweep& s : {Sweep{32, 4, 4228, 97, 13}, Sweep{32, 4, 4228, 89, 1420},
                           Sweep{32, 4200, 4400, 1, 1570}, Sweep{64, 4, 240, 1, 0},
                           Sweep{66, 4, 11780, 211, 12}, Sweep{66, 4, 11780, 199, 14},
                           Sweep{97, 4, 20, 1, 0}, Sweep{113, 4, 100, 1, 0}, Sweep{114, 4, 600, 1, 0}}) {
        for (std::size_t length = s.from; length <= s.to; length += s.step) {
            std::vector<uint8_t> bytes(length);
            for (uint8_t& b : bytes)
                b = static_cast<uint8_t>(random() % 4 == 0 ? random() : 0);
            bytes[0] = 0;
            bytes[1] = static_cast<uint8_t>(s.opcode);
            dump(bytes, s.revision);
        }
    }
}
