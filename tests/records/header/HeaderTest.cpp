// The Header decodes as much as its own revision has, and dumps exactly that.

#include <gtest/gtest.h>

#include "FltRecordHeader.h"
#include "FltTestWriter.h"
#include "TestFiles.h"

namespace {

std::string dumpHeader(FltTestWriter& writer, FltRecordHeader*& out)
{
    const std::vector<uint8_t> bytes = writer.bytes();
    out = new FltRecordHeader(static_cast<uint32_t>(bytes.size()));
    return decodeAndDump(*out, bytes);
}

// A 15.8 header with a distinct value in every printed field.
FltTestWriter fullHeader()
{
    FltTestWriter w;
    w.record(1).text("db", 8).i32(1580).i32(7).text("Tue Jun 3 10:00:00 2008", 32);
    w.i16(10).i16(11).i16(12).i16(-1).i16(1).u8(4).u8(1).u32(0xA0000000).zeros(24);
    w.i32(2).zeros(28).i16(13).i16(1).i32(100).f64(1.5).f64(-2.5).f64(1000.25).f64(6378137.0);
    w.i16(14).i16(15).zeros(8).i16(16).i16(17).i16(18).i16(19).i32(0);
    for (int i = 0; i < 8; ++i)
        w.f64(10.0 + i);
    w.i16(20).i16(21).i16(22).i16(23).zeros(8).i32(5);
    w.i16(24).i16(25).i16(33).zeros(6).f64(3.5).f64(0.125).u16(26).i16(27).i32(0);
    w.f64(6378137.0).f64(6356752.314);
    return w;
}

} // namespace

TEST(HeaderRecord, Revision1580DumpsEveryFieldInOrder)
{
    FltTestWriter w = fullHeader();
    FltRecordHeader* header = nullptr;
    const std::string dump = dumpHeader(w, header);
    std::unique_ptr<FltRecordHeader> owner(header);
    EXPECT_EQ(dump,
              "\n HEADER RECORD \n  (PRIMARY_RECORD)\n-- Opcode: 1  Length: 324 --\n"
              "formatRevisionLevel: 1580\neditRevisionLevel: 7\n"
              "lastRevisionDateTime: Tue Jun 3 10:00:00 2008\n"
              "idNextGroup: 10\nidNextLOD: 11\nidNextObject: 12\nidNextFace: 4294967295\n"
              "multiplierDiviserUnit: 1\nvertexCoordinateUnits: 4\ntextWhite: 1\n"
              "flags: \n        Save vertex normals: 1\n        Packed Color mode: 0\n"
              "        CAD View mode: 1\n"
              "projectionType: 2\nidNextDegreeOfFreedom: 13\nidVertexStorageType: 1\n"
              "idDatabaseOrigin: 100\nsouthWestDatabaseCoordinateX: 1.5\n"
              "southWestDatabaseCoordinateY: -2.5\nXdeltaToPlaceDatabase: 1000.25\n"
              "YdeltaToPlaceDatabase: 6.37814e+06\n"
              "idNextSound: 14\nidNextPath: 15\nidNextClip: 16\nidNextText: 17\nidNextBSP: 18\n"
              "idNextSwitch: 19\nsouthWestCornerLatitude: 10\nsouthWestCornerLongitude: 11\n"
              "northEastCornerLatitude: 12\nnorthEastCornerLongitude: 13\noriginLatitude: 14\n"
              "originLongitude: 15\nLambertUpperLatitude: 16\nLambertLowerLatitude: 17\n"
              "idNextLightSource: 20\nidNextLightPoint: 21\nidNextRoad: 22\nidNextCat: 23\n"
              "earthEllipsoidModel: 5\n"
              "idNextAdaptive : 24\nidNextCurve: 25\nutmZone: 33\nZdeltaToPlaceDatabase: 3.5\n"
              "radius: 0.125\nidNextMesh: 26\nidNextLightPointSystem: 27\n"
              "earthMajorAxis: 6.37814e+06\nearthMinorAxis: 6.35675e+06\n\n");
}

TEST(HeaderRecord, RevisionSelectsTheBlocksDecodedAndDumped)
{
    struct Case {
        int32_t revision;
        std::vector<const char*> present;
        std::vector<const char*> absent;
    };
    const std::vector<Case> cases = {
        {11, {"YdeltaToPlaceDatabase: "}, {"idNextSound: "}},
        {1410, {"YdeltaToPlaceDatabase: "}, {"idNextSound: ", "idNextAdaptive : "}},
        {1420, {"idNextSound: ", "earthEllipsoidModel: "}, {"idNextAdaptive : "}},
        {1540, {"idNextAdaptive : "}, {"idNextCurve: ", "ZdeltaToPlaceDatabase: "}},
        {1550, {"idNextCurve: "}, {"utmZone: ", "ZdeltaToPlaceDatabase: "}},
        {1570, {"ZdeltaToPlaceDatabase: ", "idNextMesh: "}, {"utmZone: ", "earthMajorAxis: "}},
        {1600, {"utmZone: ", "earthMinorAxis: "}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.revision);
        FltTestWriter w;
        w.header(c.revision);
        FltRecordHeader* header = nullptr;
        WarningMark mark;
        const std::string dump = dumpHeader(w, header);
        std::unique_ptr<FltRecordHeader> owner(header);
        EXPECT_TRUE(mark.texts().empty()) << "the writer's header is long enough";
        for (const char* label : c.present)
            EXPECT_NE(dump.find(std::string("\n") + label), std::string::npos) << label;
        for (const char* label : c.absent)
            EXPECT_EQ(dump.find(std::string("\n") + label), std::string::npos) << label;
    }
}

TEST(HeaderRecord, TheReservedWordOf1500ShiftsTheLatitudes)
{
    const uint8_t seven[] = {0x40, 0x1C, 0, 0, 0, 0, 0, 0};
    for (int32_t revision : {1499, 1500}) {
        FltTestWriter w;
        w.header(revision).padTo(280);
        std::vector<uint8_t> bytes = w.bytes();
        std::copy(seven, seven + 8, bytes.begin() + (revision >= 1500 ? 188 : 184));
        FltRecordHeader header(static_cast<uint32_t>(bytes.size()));
        header.read(bytes.data());
        EXPECT_EQ(header.southWestCornerLatitude, 7.0) << revision;
    }
}

TEST(HeaderRecord, AShortHeaderKeepsZerosAndSaysSo)
{
    FltTestWriter w;
    w.record(1).text("db", 8).i32(1570).i32(1);
    const std::vector<uint8_t> bytes = w.bytes();
    FltRecordHeader header(static_cast<uint32_t>(bytes.size()));
    WarningMark mark;
    header.read(bytes.data());
    EXPECT_EQ(header.formatRevisionLevel, 1570);
    EXPECT_EQ(header.idNextGroup, 0);
    EXPECT_EQ(header.earthEllipsoidModel, 0);
    ASSERT_EQ(mark.texts().size(), 1u);
    EXPECT_EQ(mark.texts()[0], "WARNING ! record shorter than its fields: Opcode: 1  Length: 20  missing bytes: 278");
    EXPECT_EQ(mark.levels()[0], 1);
}
