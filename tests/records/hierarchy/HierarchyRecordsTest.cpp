// Hierarchy and control records: factory rows, golden transcripts by family,
// and records whose length or counts do not match their contents.

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <sstream>

#include "FltRecords.h"
#include "FltTestWriter.h"
#include "FltWarningMessageConsole.h"
#include "Flt_15_7_CreationVisitor.h"
#include "TestFiles.h"

namespace {

template <class R>
std::unique_ptr<R> decoded(const std::vector<uint8_t>& bytes, std::string* dump = nullptr)
{
    auto record = std::make_unique<R>(static_cast<uint32_t>(bytes.size()));
    const std::string text = decodeAndDump(*record, bytes);
    if (dump)
        *dump += text;
    return record;
}

std::size_t warningCount()
{
    return FltWarningMessageConsole::instance().count();
}

} // namespace

TEST(HierarchyRecords, FactoryGivesEachOpcodeItsClassKindAndTitle)
{
    struct Row { int32_t opcode; uint32_t length; const char* title; const char* kind; };
    const Row rows[] = {
        {3, 40, " OLD LEVEL_OF_DETAIL (LOD) RECORD (OBSOLETE) ", "PRIMARY_RECORD"},
        {4, 28, " OBJECT RECORD ", "PRIMARY_RECORD"},
        {10, 4, " PUSH LEVEL RECORD ", "CONTROL_RECORD"},
        {11, 4, " POP LEVEL RECORD ", "CONTROL_RECORD"},
        {14, 380, " DOF RECORD ", "PRIMARY_RECORD"},
        {19, 4, " PUSH SUBFACE RECORD ", "CONTROL_RECORD"},
        {20, 4, " POP SUBFACE RECORD ", "CONTROL_RECORD"},
        {21, 24, " PUSH EXTENSION RECORD ", "CONTROL_RECORD"},
        {22, 24, " POP EXTENSION RECORD ", "CONTROL_RECORD"},
        {31, 4, " COMMENT RECORD ", "ANCILLARY_RECORD"},
        {33, 4, " LONG_ID RECORD ", "ANCILLARY_RECORD"},
        {60, 12, " REPLICATE RECORD ", "ANCILLARY_RECORD"},
        {61, 8, " INSTANCE REFERENCE RECORD ", "CONTROL_RECORD"},
        {62, 8, " INSTANCE DEFINITION RECORD ", "CONTROL_RECORD"},
        {63, 216, " EXTERNAL REFERENCE RECORD ", "PRIMARY_RECORD"},
        {73, 72, " LEVEL_OF_DETAIL (LOD) RECORD ", "PRIMARY_RECORD"},
        {96, 28, " SWITCH RECORD ", "PRIMARY_RECORD"},
    };
    const std::size_t before = warningCount();
    for (const Row& row : rows) {
        std::unique_ptr<FltRecord> record(Flt_15_7_CreationVisitor::instantiate(row.opcode, row.length));
        EXPECT_EQ(dynamic_cast<FltRecordUnknown*>(record.get()), nullptr) << row.opcode;
        std::ostringstream title;
        record->print(title);
        EXPECT_EQ(title.str(), std::string("\n") + row.title + "\n  (" + row.kind + ")\n-- Opcode: " +
                                   std::to_string(row.opcode) + "  Length: " +
                                   std::to_string(row.length) + " --\n");
    }
    EXPECT_EQ(warningCount(), before);
}

TEST(HierarchyRecords, NodeRecordsGoldenTranscript)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::string dump;
    decoded<FltRecordObject>(FltTestWriter().record(4).text("obj1", 8).u32(0x88000000u)
                                 .i16(3).u16(65535).i16(-1).i16(2).i16(7).i16(0).bytes(), &dump);
    decoded<FltRecordLOD>(FltTestWriter().record(73).text("lod_near", 8).i32(99)
                              .f64(500.5).f64(0).i16(1).i16(2).u32(0x20000000u)
                              .f64(1.5).f64(nan).f64(3).f64(6378137).bytes(), &dump);
    decoded<FltRecordOLDLOD>(FltTestWriter().record(3).text("old", 8).u32(4000000000u).u32(10)
                                 .i16(0).i16(0).u32(0x40000000u).i32(-5).i32(6).i32(7).bytes(), &dump);
    decoded<FltRecordReplicate>(FltTestWriter().record(60).i32(4).i32(0).bytes(), &dump);
    decoded<FltRecordExternalReference>(FltTestWriter().record(63).text("models/tree.flt", 200)
                                            .i32(0).u32(0x80000000u).i32(0x12345678).bytes(), &dump);

    EXPECT_EQ(dump,
              "\n OBJECT RECORD \n  (PRIMARY_RECORD)\n-- Opcode: 4  Length: 28 --\n"
              "idASCII: obj1\nrelativePriority: 3\ntransparency: 65535\nflags: \n"
              "don t display in daylight: 1\n ---------    at dusk: 0\n ---------    at night: 0\n"
              "don t illuminate: 0\nflat shaded: 1\ngroup's shadow object: 0\n"
              "id1SpecialEffect: -1\nid2SpecialEffect: 2\nsignificance: 7\nspare: 0\n"
              "\n LEVEL_OF_DETAIL (LOD) RECORD \n  (PRIMARY_RECORD)\n-- Opcode: 73  Length: 72 --\n"
              "idASCII: lod_near\nswitchInDistance: 500.5\nswitchOutDistance: 0\n"
              "id1specialEffect: 1\nid2specialEffect: 2\nflags: \n"
              "      Use Previous Slant Range: 0\n      FreezeCenter (don't recalculate): 1\n"
              "XcenterCoordinate: 0\nYcenterCoordinate: 0\nZcenterCoordinate: 0\n"
              "transitionRange: 6.37814e+06\n"
              "\n OLD LEVEL_OF_DETAIL (LOD) RECORD (OBSOLETE) \n  (PRIMARY_RECORD)\n"
              "-- Opcode: 3  Length: 40 --\n"
              "idASCII: old\nswitchInDistance: 4000000000\nswitchOutDistance: 10\n"
              "id1specialEffect: 0\nid2specialEffect: 0\nflags: \n"
              "      Use Previous Slant Range: 0\n      SPT Flag: 1\n"
              "      FreezeCenter (don't recalculate): 0\n"
              "XcenterCoordinate: -5\nYcenterCoordinate: 6\nZcenterCoordinate: 7\n"
              "\n REPLICATE RECORD \n  (ANCILLARY_RECORD)\n-- Opcode: 60  Length: 12 --\n"
              "numberOfReplications: 4\n"
              "\n EXTERNAL REFERENCE RECORD \n  (PRIMARY_RECORD)\n-- Opcode: 63  Length: 216 --\n"
              "asciiPath: models/tree.flt\nFlags: \n      Color palette override: 1\n"
              "      Material palette override: 0\n"
              "      Texture and texture mapping palette override: 0\n"
              "      Line style palette override: 0\n      Sound palette override: 0\n"
              "      Light source palette override: 0\n      Light point palette override: 0\n\n");
}

TEST(HierarchyRecords, DofGoldenTranscript)
{
    FltTestWriter w;
    w.record(14).text("dof", 8).i32(0);
    for (int n = 0; n < 45; ++n)
        w.f64(n + 0.25);
    w.u32(0x80800000u); // x translation and z scale limited
    std::string dump;
    decoded<FltRecordDOF>(w.bytes(), &dump);

    EXPECT_EQ(dump,
              "\n DOF RECORD \n  (PRIMARY_RECORD)\n-- Opcode: 14  Length: 380 --\nidASCII: dof\n"
              "XOriginOfDOFLocalCoordinateSystem: 0.25\nYOriginOfDOFLocalCoordinateSystem: 1.25\n"
              "ZOriginOfDOFLocalCoordinateSystem: 2.25\n\n"
              "XPointOnXAxisOfDOFLocalCoordinateSystem : 3.25\n"
              "YPointOnXAxisOfDOFLocalCoordinateSystem: 4.25\n"
              "ZPointOnXAxisOfDOFLocalCoordinateSystem : 5.25\n\n"
              "XPointInXYPlaneOfDOFLocalCoordinateSystem: 6.25\n"
              "YPointInXYPlaneOfDOFLocalCoordinateSystem: 7.25\n"
              "ZPointInXYPlaneOfDOFLocalCoordinateSystem : 8.25\n\n"
              "ZMinValue: 9.25\nZMaxValue: 10.25\nZCurrentValue: 11.25\nZIncrement: 12.25\n\n"
              "YMinValue: 13.25\nYMaxValue: 14.25\nYCurrentValue: 15.25\nYIncrement: 16.25\n"
              "XMinValue: 17.25\nXMaxValue: 18.25\nXCurrentValue: 19.25\nXIncrement: 20.25\n\n"
              "minimumPitch: 21.25\nmaxPitch : 22.25\ncurrentPitch: 23.25\nincrementInPitch: 24.25\n\n"
              "minimumRoll: 25.25\nmaxRoll : 26.25\ncurrentRoll: 27.25\nincrementInRoll: 28.25\n\n"
              "minimumYaw: 29.25\nmaxYaw : 30.25\ncurrentYaw: 31.25\nincrementInYaw: 32.25\n\n"
              "ZMinScale   : 33.25\nZMaxScale  : 34.25\nZCurrentScale: 35.25\n"
              "ZIncrementForScale: 36.25\n\n"
              "YMinScale   : 37.25\nYMaxScale  : 38.25\nYCurrentScale: 39.25\n"
              "YIncrementForScale: 40.25\n\n"
              "XMinScale : 41.25\nXMaxScale : 42.25\nXCurrentScale: 43.25\n"
              "XIncrementForScale    : 44.25\n\n"
              "flags: \n     x translation is limited: 1\n     y translation is limited: 0\n"
              "     z translation is limited: 0\n     pitch rotation is limited: 0\n"
              "     roll rotation is limited: 0\n     yaw rotation is limited: 0\n"
              "     x scale is limited: 0\n     y scale is limited: 0\n     z scale is limited: 1\n");
}

TEST(HierarchyRecords, SwitchGoldenTranscript)
{
    std::string dump;
    auto twoMasks = decoded<FltRecordSwitch>(FltTestWriter().record(96).text("sw", 8).i32(0).i32(1)
                                                 .i32(2).i32(1).u32(0x5u).u32(0x80000001u).bytes(), &dump);
    decoded<FltRecordSwitch>(FltTestWriter().record(96).text("none", 8).i32(0).i32(0).i32(0).i32(1)
                                 .bytes(), &dump);
    EXPECT_EQ(dump,
              "\n SWITCH RECORD \n  (PRIMARY_RECORD)\n-- Opcode: 96  Length: 36 --\nidASCII: sw\n"
              "indexOfCurrentMask: 1\nnumberOfMasks: 2\nnumberOf32BitWordsPerMask: 1\n"
              "Mask number 0: \n00000000000000000000000000000101\n"
              "Mask number 1: \n10000000000000000000000000000001\n"
              "\n SWITCH RECORD \n  (PRIMARY_RECORD)\n-- Opcode: 96  Length: 28 --\nidASCII: none\n"
              "indexOfCurrentMask: 0\nnumberOfMasks: 0\nnumberOf32BitWordsPerMask: 1\n");
    EXPECT_EQ(twoMasks->getMaskWord(1, 0), 0x80000001u);
    EXPECT_EQ(twoMasks->getAvailableMaskCount(), 2);
}

TEST(HierarchyRecords, ControlAndTextRecordsGoldenTranscript)
{
    std::string dump;
    decoded<FltRecordPushSubface>(FltTestWriter().record(19).bytes(), &dump);
    decoded<FltRecordPopExtension>(FltTestWriter().record(22).zeros(18).u16(65000).bytes(), &dump);
    decoded<FltRecordInstanceReference>(FltTestWriter().record(61).i16(0).i16(12).bytes(), &dump);
    auto comment = decoded<FltRecordComment>(FltTestWriter().record(31).text("two\nlines", 12).bytes(), &dump);
    auto longId = decoded<FltRecordLongID>(FltTestWriter().record(33).text("a_long_name", 11).bytes(), &dump);

    EXPECT_EQ(dump,
              "\n PUSH SUBFACE RECORD \n  (CONTROL_RECORD)\n-- Opcode: 19  Length: 4 --\n"
              "\n POP EXTENSION RECORD \n  (CONTROL_RECORD)\n-- Opcode: 22  Length: 24 --\n"
              "vertexReferenceIndex: 65000\n"
              "\n INSTANCE REFERENCE RECORD \n  (CONTROL_RECORD)\n-- Opcode: 61  Length: 8 --\n"
              "spare: 0\ninstanceDefinitionNumber: 12\n"
              "\n COMMENT RECORD \n  (ANCILLARY_RECORD)\n-- Opcode: 31  Length: 16 --\n"
              "textDescription: two\nlines\n"
              "\n LONG_ID RECORD \n  (ANCILLARY_RECORD)\n-- Opcode: 33  Length: 15 --\n"
              "idASCII: a_long_name\n");
    EXPECT_STREQ(comment->textDescription.c_str(), "two\nlines");
    EXPECT_STREQ(longId->idASCII.c_str(), "a_long_name"); // unterminated in the file
}

TEST(HierarchyRecords, TruncatedAndLyingRecords)
{
    // Control records of the wrong size: one silent level-1 warning each, kept as they are.
    std::size_t before = warningCount();
    FltRecordPushLevel longPush(8);
    FltRecordPushExtension shortExtension(8);
    ASSERT_EQ(warningCount(), before + 2);
    const FltWarningMessage last = FltWarningMessageConsole::instance().getWarnings().back();
    EXPECT_EQ(last.text, "WARNING ! this ControlRecord hasn t the correct length !");
    EXPECT_EQ(last.level, 1);
    std::string pushDump = decodeAndDump(longPush, FltTestWriter().record(10).zeros(4).bytes());
    EXPECT_NE(pushDump.find("-- Opcode: 10  Length: 8 --"), std::string::npos);
    EXPECT_EQ(decodeAndDump(shortExtension, FltTestWriter().record(21).zeros(4).bytes()),
              "\n PUSH EXTENSION RECORD \n  (CONTROL_RECORD)\n-- Opcode: 21  Length: 8 --\n"
              "vertexReferenceIndex: 0\n");

    // Switch counts that promise more than the record holds: only held words are kept.
    auto words = [](int32_t masks, int32_t perMask, int held) {
        FltTestWriter w;
        w.record(96).text("sw", 8).i32(0).i32(0).i32(masks).i32(perMask);
        for (int i = 0; i < held; ++i)
            w.u32(0xFFFFFFFFu);
        return decoded<FltRecordSwitch>(w.bytes());
    };
    EXPECT_EQ(words(0x7FFFFFFF, 0x7FFFFFFF, 2)->maskWords.size(), 2u);
    EXPECT_EQ(words(65536, 65536, 3)->maskWords.size(), 3u); // product overflows 32 bits
    EXPECT_EQ(words(-4, 1, 2)->maskWords.size(), 0u);
    EXPECT_EQ(words(4, 0, 2)->maskWords.size(), 0u);
    auto lying = words(3, 2, 3);
    EXPECT_EQ(lying->getAvailableMaskCount(), 1);
    EXPECT_EQ(lying->getMaskWord(1, 0), 0xFFFFFFFFu);
    EXPECT_EQ(lying->getMaskWord(1, 1), 0u);
    EXPECT_EQ(lying->getMaskWord(0, 2), 0u);

    // Fixed records cut short: decoding stops at the end, the rest stays at its default.
    std::vector<uint8_t> dofBytes = FltTestWriter().record(14).text("cut", 8).i32(0).f64(1).f64(2).bytes();
    before = warningCount();
    auto dof = decoded<FltRecordDOF>(dofBytes);
    EXPECT_EQ(warningCount(), before + 1);
    EXPECT_EQ(dof->YOriginOfDOFLocalCoordinateSystem, 2.0);
    EXPECT_EQ(dof->ZOriginOfDOFLocalCoordinateSystem, 0.0);
    EXPECT_EQ(dof->flags, 0);
    auto lod = decoded<FltRecordLOD>(FltTestWriter().record(73).text("l", 8).i32(0).f64(7).bytes());
    EXPECT_EQ(lod->switchInDistance, 7.0);
    EXPECT_EQ(lod->switchOutDistance, 0.0);
    auto ext = decoded<FltRecordExternalReference>(FltTestWriter().record(63).text("abc", 6).bytes());
    EXPECT_STREQ(ext->asciiPath, "abc");

    // Text records: an empty body gives an empty, terminated text.
    EXPECT_STREQ(decoded<FltRecordComment>(FltTestWriter().record(31).bytes())->textDescription.c_str(), "");
    // A 12-byte long ID gives its 8 body bytes.
    EXPECT_EQ(decoded<FltRecordLongID>(FltTestWriter().record(33).text("abcdefgh", 8).bytes())->idASCII,
              "abcdefgh");
}
