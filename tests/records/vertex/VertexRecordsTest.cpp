#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "FltRecords.h"
#include "Flt_15_7_CreationVisitor.h"
#include "FltTestWriter.h"
#include "TestFiles.h"

namespace {

// Cuts an image into records as the parser does and dumps each one made by
// the factory and read at the given revision.
std::string dumpAll(const std::vector<uint8_t>& image, int32_t revision)
{
    std::string dump;
    for (std::size_t at = 0; at + 4 <= image.size();) {
        const uint32_t length = std::max(4u, uint32_t(image[at + 2] << 8 | image[at + 3]));
        std::unique_ptr<FltRecord> record(
            Flt_15_7_CreationVisitor::instantiate(image[at] << 8 | image[at + 1], length));
        if (auto* version = dynamic_cast<FltVersion*>(record.get()))
            version->setVersion(revision);
        dump += decodeAndDump(*record, {image.begin() + at, image.begin() + at + length});
        at += length;
    }
    return dump;
}

// A colour vertex: name index, flags, coordinates, then the kind's floats.
FltTestWriter& vertex(FltTestWriter& w, int16_t opcode, std::initializer_list<float> floats)
{
    w.record(opcode).u16(7).u16(0xA000).f64(1.5).f64(-2.0).f64(6378137.0);
    for (float f : floats)
        w.f32(f);
    return w.bytes({0xFF, 0x00, 0x80, 0x40}).i32(42);
}

std::vector<uint8_t> family()
{
    FltTestWriter w;
    w.record(67).u32(1234);
    vertex(w, 68, {});
    vertex(w, 69, {0, 0.5f, -1}).i32(77);
    vertex(w, 70, {0, 0.5f, -1, 0.25f, 3}).i32(77);
    vertex(w, 71, {0.25f, 3});
    w.record(72).i32(8).i32(48).i32(-1).u16(0xFFFF);
    w.record(89).i32(8).i32(48).i32(104).i32(160);
    w.record(7).i32(1).i32(-2).i32(3).f32(0.25f).f32(3);
    w.record(9).i32(1).i32(-2).i32(3).u8('Y').u8('N').u16(65535).f32(0).f32(0.5f).f32(-1);
    return w.bytes();
}

const std::string common =
    "colorNameIndex: 7\nflags: Start Hard Edge: 1\n         Normal frozen: 0\n"
    "              No Color: 1\n          Packed Color: 0\n"
    "Xcoordinate: 1.5\nYcoordinate: -2\nZcoordinate: 6.37814e+06\n";
const std::string normal = "vertexNormal: i=0\n              j=0.5\n              k=-1\n";
const std::string uv = "texture: u=0.25\n         v=3\n";
const std::string color = "packedColor: alpha=1\n              blue=0\n"
                          "             green=0.501961\n               red=0.25098\n";

} // namespace

TEST(VertexRecords, GoldenTranscript)
{
    const std::string index = "vertexColorIndex: 42\n";
    EXPECT_EQ(dumpAll(family(), 1540),
              "\n VERTEX PALETTE RECORD \n  (PALETTE_RECORD)\n-- Opcode: 67  Length: 8 --\n"
              "vertexPaletteTotalLength: 1234\n"
              "\n VERTEX COLOR RECORD \n  (PALETTE_RECORD)\n-- Opcode: 68  Length: 40 --\n" +
                  common + color + index +
                  "\n VERTEX COLOR NORMAL RECORD \n  (PALETTE_RECORD)\n"
                  "-- Opcode: 69  Length: 56 --\n" +
                  common + normal + color + index +
                  "\n VERTEX COLOR NORMAL UV RECORD \n  (PALETTE_RECORD)\n"
                  "-- Opcode: 70  Length: 64 --\n" +
                  common + normal + uv + color + index +
                  "\n VERTEX COLOR UV (TEXTURE) RECORD \n  (PALETTE_RECORD)\n"
                  "-- Opcode: 71  Length: 48 --\n" +
                  common + uv + color + index +
                  "\n VERTEX LIST RECORD \n  (PRIMARY_RECORD)\n-- Opcode: 72  Length: 18 --\n"
                  "Offset: 8  48  -1  \n"
                  "\n MORPH VERTEX LIST RECORD \n  (PRIMARY_RECORD)\n"
                  "-- Opcode: 89  Length: 20 --\nOffset: (8,48)  (104,160)  \n"
                  "\n OLD VERTEX RECORD (OBSOLETE)\n  (PRIMARY_RECORD)\n"
                  "-- Opcode: 7  Length: 24 --\nXcoordinate: 1\nYcoordinate: -2\nZcoordinate: 3\n" +
                  uv +
                  "\n OLD VERTEX COLOR NORMAL RECORD (OBSOLETE)\n  (PRIMARY_RECORD)\n"
                  "-- Opcode: 9  Length: 32 --\nXcoordinate: 1\nYcoordinate: -2\nZcoordinate: 3\n"
                  "hardEdgeFlag: Y\nshadingFlag: N\ncolorIndex : 65535\nvertexNormalScaled: i=0\n"
                  "                    j=0.5\n                    k=-1\n");
}

TEST(VertexRecords, RevisionBranches)
{
    // Before 1540 there is no colour index: it is not read and dumps as -1.
    const std::string dump = dumpAll(family(), 1539);
    EXPECT_EQ(dump.find("vertexColorIndex: 42"), std::string::npos);
    EXPECT_NE(dump.find(color + "vertexColorIndex: -1\n\n VERTEX COLOR NORMAL "),
              std::string::npos);

    // The normal kinds end with a reserved word from 1580 on; earlier ones
    // have it when they are as long (and are not short without it).
    for (int32_t revision : {1579, 1580}) {
        for (uint32_t length : {52u, 56u}) {
            FltTestWriter w;
            vertex(w, 69, {0, 0, 0});
            if (length == 56)
                w.i32(77);
            FltRecordVertexColorNormal record(length);
            record.setVersion(revision);
            WarningMark mark;
            decodeAndDump(record, w.bytes());
            EXPECT_EQ(record.reserved1, length == 56 ? 77 : 0) << revision;
            EXPECT_EQ(mark.texts().size(), revision >= 1580 && length == 52 ? 1u : 0u) << revision;
        }
    }

    // An obsolete record of any other length than its textured one has no texture.
    FltTestWriter w;
    w.record(8).i32(1).i32(2).i32(3).u8('a').u8('b').u16(4).f32(0.5f).f32(1).f32(2);
    const std::string odd = dumpAll(w.bytes(), 1570);
    EXPECT_EQ(odd.substr(odd.size() - 15), "colorIndex : 4\n");
}

TEST(VertexRecords, ShortAndLyingRecords)
{
    // An empty list, and a morph list with half a pair over.
    FltTestWriter lists;
    lists.record(72).record(89).i32(8).i32(48).i32(104);
    const std::string dump = dumpAll(lists.bytes(), 1570);
    EXPECT_NE(dump.find("72  Length: 4 --\nOffset: \n"), std::string::npos);
    EXPECT_NE(dump.find("--\nOffset: (8,48)  \n"), std::string::npos);

    // The normal+uv vertex of the family cut inside its packed colour.
    const std::vector<uint8_t> image = family();
    FltRecordVertexColorNormalUv cut(54);
    cut.setVersion(1580);
    decodeAndDump(cut, {image.begin() + 104, image.begin() + 158});
    EXPECT_EQ(cut.texture[1], 3.0f);
    EXPECT_EQ(cut.packedColor.bytes[0], 0xFF);
    EXPECT_EQ(cut.packedColor.bytes[2], 0);
    EXPECT_EQ(cut.vertexColorIndex, -1);

    // Every class of the face and vertex families with a length that does
    // not even cover the record header.
    for (int opcode : {5, 7, 8, 9, 52, 67, 68, 69, 70, 71, 72, 89}) {
        std::unique_ptr<FltRecord> record(Flt_15_7_CreationVisitor::instantiate(opcode, 2));
        const std::vector<uint8_t> stub = {0, static_cast<uint8_t>(opcode)};
        EXPECT_NE(decodeAndDump(*record, stub).find("Length: 2 --\n"), std::string::npos);
    }
}
