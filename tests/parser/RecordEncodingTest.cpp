// Records written back: every database the reader takes whole comes back
// byte for byte, records made field by field encode as a file holds them,
// and a file is replaced only by a whole database.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <fstream>
#include <iterator>

#include "ExampleDatabase.h"
#include "FltExtendedRecords.h"
#include "FltReencode.h"
#include "FltRecords.h"
#include "FltTestWriter.h"
#include "FltWriteRecords.h"
#include "TestFiles.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Turns the extended record set on or off while it lives.
class ExtendedRecords {
public:
    explicit ExtendedRecords(bool on) : before(isFltExtendedRecords()) { setFltExtendedRecords(on); }
    ~ExtendedRecords() { setFltExtendedRecords(before); }

private:
    bool before;
};

// Compares to the first byte that differs, for a readable failure.
void expectBytes(const Bytes& actual, const Bytes& expected)
{
    for (std::size_t i = 0; i < actual.size() && i < expected.size(); ++i)
        ASSERT_EQ(int(actual[i]), int(expected[i])) << "at offset " << i;
    ASSERT_EQ(actual.size(), expected.size());
}

void expectSameBytes(const Bytes& original, const std::string& name)
{
    SCOPED_TRACE(name);
    StreamCapture err(std::cerr);
    const FltReencoded again = reencodeFltImage(original.data(), original.size(), name);
    ASSERT_TRUE(again.openFlight);
    ASSERT_TRUE(again.whole);
    expectBytes(again.bytes, original);
}

Bytes readFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

Bytes everyNode()
{
    FltTestWriter w;
    w.header(1570, 0, 4).pushLevel().group("g").comment("a\r\nb").longId("a long name").translation(1, 2, 3);
    w.pushLevel().lod("l", 100, 0, {1, 2, 3}).pushLevel().dof("d").pushLevel().textNode("t").popLevel().popLevel();
    w.switchNode("s", 0, 2, 1, {0x5, 0x2}).pushLevel().group("a").group("b").popLevel();
    w.clipRegion("c", {1, 0, 1, 0, 1}, {{1, 0, 0, -1}}).pushLevel().group("in").popLevel();
    w.oldLod("o", 50, 0).pushLevel().popLevel();
    w.group("r").replicate(2).matrix({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 6, 7, 1});
    w.externalReference("other.flt").popLevel();
    w.instanceDefinition(1).pushLevel().group("i").popLevel().instanceReference(1).instanceReference(1);
    return w.popLevel().bytes();
}

Bytes everyVertexAndFace()
{
    FltTestWriter w;
    w.header(1570, 0x40000000).colorPalette({0xFF804020, 0xFFFF0000});
    w.material(0, "m", {0.2f, 0.2f, 0.2f}, {1, 1, 1}).texturePattern("t.rgb", 1).vertexPalette();
    w.vertexColor(0, 0, 0).vertexColorNormal(1, 0, 0, {0, 0, 1}).vertexColorUv(0, 1, 0, {0, 1});
    w.vertexColorNormalUv(1, 1, 0, {0, 0, 1}, {1, 1}, 0x80FF0000, 0);
    std::vector<int32_t> all;
    for (std::size_t i = 0; i < w.vertexCount(); ++i)
        all.push_back(w.vertexOffset(i));
    w.pushLevel().object("o", 100).pushLevel();
    w.face("f", FltFaceStyle().texture(1).material(0)).pushLevel().vertexList({all[1], all[2], all[3]}).popLevel();
    w.pushSubface().face("s", FltFaceStyle().colorIndex(130)).pushLevel().vertexList(all).popLevel().popSubface();
    w.face("m").pushLevel().morphVertexList({{all[0], all[1]}, {all[2], all[3]}}).popLevel();
    w.popLevel();
    return w.popLevel().bytes();
}

Bytes meshes()
{
    FltLocalVertex a, b, c;
    a.position = {0, 0, 0};
    b.position = {1, 0, 0};
    c.position = {0, 1, 0};
    b.uv[3] = {0.5f, 0.25f};
    const uint32_t mask = FltTestWriter::positionAttribute | FltTestWriter::packedColorAttribute |
                          FltTestWriter::normalAttribute | FltTestWriter::uvLayerAttribute(3);
    FltTestWriter w;
    w.header(1570).pushLevel().mesh("mesh").localVertexPool(mask, {a, b, c});
    w.pushLevel().meshPrimitive(1, 1, {0, 1, 2}).meshPrimitive(2, 2, {2, 1, 0}).meshPrimitive(4, 4, {0, 2, 1});
    w.popLevel();
    // A pool cut into a Continuation inside its second vertex: written back cut there.
    w.mesh("cut").record(85).u32(3).u32(FltTestWriter::positionAttribute).f64(0).f64(0).f64(0).f64(1);
    w.record(23).f64(0).f64(0).f64(0).f64(1).f64(0);
    w.pushLevel().meshPrimitive(4, 1, {0, 1, 2}).popLevel();
    return w.popLevel().bytes();
}

// Records longer than their fields, unknown opcodes, padded control
// records, names and centres the fields cannot hold as stored, a sound
// palette in two parts and the end of a file too short for a record.
Bytes irregularButWhole()
{
    FltTestWriter w;
    w.header(1570).record(2).text("long", 8).padTo(40);
    w.record(10).u32(0xDEADBEEF);
    w.record(3999).bytes({1, 2, 3});
    w.record(114).i32(3).u16(9);
    for (auto entry : {std::make_pair(7, std::string("seven")), std::make_pair(2, std::string("two\0pad", 7))})
        w.i32(int32_t(6 + entry.second.size())).u16(uint16_t(entry.first)).text(entry.second, entry.second.size());
    w.i32(4).u16(1); // shorter than its own head
    const double nan = std::nan("7");
    w.record(73).text("lod", 8).i32(0).f64(1).f64(0).i16(0).i16(0).u32(0).f64(nan).f64(0).f64(nan).f64(0);
    w.record(11);
    // Two sound palette parts (one object), then bytes too few for a record.
    w.record(93).i32(1).i32(1).i32(1).i32(12).zeros(12).i32(0).i32(0).i32(0);
    w.record(93).i32(2).i32(6).text("a.wav", 6);
    std::vector<uint8_t> bytes = w.bytes();
    bytes.insert(bytes.end(), {0xAB, 0xCD});
    return bytes;
}

} // namespace

TEST(RecordEncoding, TestDatabasesComeBackByteForByte)
{
    expectSameBytes(buildExampleDatabase(), "example");
    expectSameBytes(buildExampleFountain(), "fountain");
    expectSameBytes(buildLevelsOfDetailExample(), "levels");
    expectSameBytes(everyNode(), "every node");
    expectSameBytes(everyVertexAndFace(), "every vertex and face");
    expectSameBytes(irregularButWhole(), "irregular but whole");
    for (bool extended : {false, true}) {
        ExtendedRecords set(extended);
        expectSameBytes(meshes(), extended ? "meshes read" : "meshes kept unknown");
    }
    FltTestWriter old;
    old.header(12, 0, 0, -4).pushLevel().oldLod("l", 10, 0, {1, 2, 3}).pushLevel().object("o").pushLevel();
    old.face("f").pushLevel();
    for (int i = 0; i < 3; ++i)
        old.record(7).i32(i).i32(i).i32(0).f32(0).f32(0);
    expectSameBytes(old.popLevel().popLevel().popLevel().popLevel().bytes(), "revision 12");
}

TEST(RecordEncoding, RealDatabasesComeBackByteForByte)
{
    std::vector<std::string> files = {FLT_EXAMPLE_FILE, FLT_FOUNTAIN_FILE};
    const std::string samples = samplesDir();
    if (!samples.empty())
        for (const auto& entry : std::filesystem::recursive_directory_iterator(samples))
            if (entry.path().extension() == ".flt")
                files.push_back(entry.path().string());
    for (bool extended : {false, true}) {
        ExtendedRecords set(extended);
        for (const std::string& file : files)
            expectSameBytes(readFile(file), file + (extended ? " (extended)" : ""));
    }
    if (samples.empty())
        GTEST_SKIP() << "no sample databases here: only the examples were read";
}

TEST(RecordEncoding, RecordsMadeFieldByFieldEncodeAsAFileHoldsThem)
{
    FltTestWriter w;
    w.header(1570).pushLevel().group("g").longId("a long name").vertexPalette();
    w.vertexColorNormalUv(1, 2, 3, {0, 0, 1}, {0.5f, 1});
    w.object("o").pushLevel().face("f").pushLevel().vertexList({8, 8, 8}).popLevel().popLevel().popLevel();

    FltRecordHeader header(0);
    std::strcpy(header.idASCII, "db");
    header.formatRevisionLevel = 1570;
    header.editRevisionLevel = 1;
    std::strcpy(header.lastRevisionDateTime, "Sat Dec  5 12:00:00 2026");
    header.idNextGroup = header.idNextLOD = header.idNextObject = header.idNextFace = 1;
    header.multiplierDiviserUnit = 1;
    header.setUndescribed(std::vector<unsigned char>(324 - 298, 0));
    FltRecordPushLevel push(4), push2(4), push3(4);
    FltRecordPopLevel pop(4), pop2(4), pop3(4);
    FltRecordGroup group(0);
    std::strcpy(group.idASCII, "g");
    FltRecordLongID longId(0);
    longId.idASCII = "a long name";
    FltRecordVertexPalette palette(0);
    palette.vertexPaletteTotalLength = 8 + 64;
    FltRecordVertexColorNormalUv vertex(FltRecordVertexColorNormalUv::lengthWithTrailer);
    vertex.setVersion(1570);
    vertex.Xcoordinate = 1;
    vertex.Ycoordinate = 2;
    vertex.Zcoordinate = 3;
    vertex.flags = FltTestWriter::packedColorVertex;
    vertex.vertexNormal[2] = 1;
    vertex.texture[0] = 0.5f;
    vertex.texture[1] = 1;
    vertex.packedColor = FltPackedColor{{0xFF, 0xFF, 0xFF, 0xFF}};
    FltRecordObject object(0);
    std::strcpy(object.idASCII, "o");
    FltRecordFace face(0);
    face.setVersion(1570);
    std::strcpy(face.idField, "f");
    face.materialIndex = face.texturePatternIndex = face.detailTexturePatternIndex = -1;
    face.alternateColorIndex = -1;
    face.packedPrimaryColor = FltPackedColor{{0xFF, 0xFF, 0xFF, 0xFF}};
    FltRecordVertexList list(0);
    list.offsets = {8, 8, 8};

    const std::vector<FltRecord*> records = {&header, &push, &group, &longId, &palette, &vertex, &object,
                                             &push2, &face, &push3, &list, &pop3, &pop2, &pop};
    expectBytes(encodeFltRecords(records), w.bytes());
}

TEST(RecordEncoding, LongRecordsGoOnInContinuationRecords)
{
    FltRecordExtensionAttribute attribute(0);
    attribute.extendedData.assign(70000, 0xAB);
    const Bytes bytes = encodeFltRecords({&attribute});
    // 65535 bytes, then a Continuation (23) with the remaining 4480 behind its header.
    const std::size_t whole = 4 + 20 + 70000;
    ASSERT_EQ(bytes.size(), whole + 4);
    EXPECT_EQ(bytes[2] << 8 | bytes[3], 0xFFFF);
    EXPECT_EQ(bytes[0xFFFF] << 8 | bytes[0xFFFF + 1], 23);
    EXPECT_EQ(std::size_t(bytes[0xFFFF + 2] << 8 | bytes[0xFFFF + 3]), whole - 0xFFFF + 4);
}

TEST(FltFileWriting, ReplacesAFileOnlyWithAWholeDatabaseAndLeavesNothingOnFailure)
{
    ScratchDir dir;
    const std::string path = dir.write("db.flt", {1, 2, 3});
    FltRecordHeader header(0);
    header.formatRevisionLevel = 1570;
    std::string reason;
    ASSERT_TRUE(writeFltFile(path, {&header}, &reason)) << reason;
    EXPECT_EQ(readFile(path), encodeFltRecords({&header}));

    EXPECT_FALSE(writeFltFile(dir.file("missing/db.flt"), {&header}, &reason));
    EXPECT_NE(reason.find("missing/db.flt"), std::string::npos) << reason;
    // A folder where the file should be: nothing replaces it, nothing is left beside it.
    std::filesystem::create_directory(dir.file("folder.flt"));
    EXPECT_FALSE(writeFltFile(dir.file("folder.flt"), {&header}, &reason));
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"db.flt", "folder.flt"}));
}
