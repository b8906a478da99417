// The factory: one class per opcode of the 15.7 record set, the file's
// revision handed to the records that depend on it, the Sound Palette
// merge, and no record of any length read outside its bytes.

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "FltRawData.h"
#include "FltRecords.h"
#include "Flt_15_7_CreationVisitor.h"
#include "FltTestWriter.h"
#include "TestFiles.h"

namespace {

FltRawData rawRecord(const std::vector<uint8_t>& bytes)
{
    FltRawData raw;
    raw.setHeader(bytes.data(), 0);
    raw.data = bytes;
    return raw;
}

} // namespace

TEST(Factory, EveryOpcodeOfTheTableHasItsOwnClassAndKind)
{
    const char* P = "PRIMARY_RECORD";
    const char* A = "ANCILLARY_RECORD";
    const char* C = "CONTROL_RECORD";
    const char* L = "PALETTE_RECORD";
    const std::map<int, const char*> kinds = {
        {1, P},   {2, P},   {3, P},   {4, P},   {5, P},   {7, P},   {8, P},   {9, P},   {10, C},
        {11, C},  {14, P},  {19, C},  {20, C},  {21, C},  {22, C},  {31, A},  {32, L},  {33, A},
        {49, A},  {50, A},  {51, A},  {52, A},  {60, A},  {61, C},  {62, C},  {63, P},  {64, L},
        {66, L},  {67, L},  {68, L},  {69, L},  {70, L},  {71, L},  {72, P},  {73, P},  {74, A},
        {76, A},  {78, A},  {79, A},  {80, A},  {82, A},  {83, L},  {89, P},  {91, P},  {93, L},
        {94, A},  {95, P},  {96, P},  {97, L},  {98, P},  {100, A}, {101, P}, {102, L}, {105, A},
        {106, A}, {108, A}, {109, A}, {111, P}, {112, L}, {113, L}, {114, L}};
    StreamCapture err(std::cerr);
    for (int opcode = -2; opcode <= 120; ++opcode) {
        std::unique_ptr<FltRecord> record(Flt_15_7_CreationVisitor::instantiate(opcode, 4));
        const auto kind = kinds.find(opcode);
        const bool unknown = dynamic_cast<FltRecordUnknown*>(record.get()) != nullptr;
        EXPECT_EQ(record->getOpcode(), opcode);
        EXPECT_EQ(unknown, kind == kinds.end()) << opcode;
        EXPECT_EQ(record->getRecordType(), unknown ? "" : kind->second) << opcode;
    }
    // UV lists stay unknown records.
    std::unique_ptr<FltRecord> uvList(Flt_15_7_CreationVisitor::instantiate(53, 4));
    EXPECT_NE(dynamic_cast<FltRecordUnknown*>(uvList.get()), nullptr);
}

TEST(Factory, HandsTheRevisionToTheRecordsThatDependOnIt)
{
    Flt_15_7_CreationVisitor factory;
    factory.setVersion(1570);
    StreamCapture out(std::cout);
    FltRecord* group = nullptr;
    FltRecord* header = nullptr;
    const FltRawData groupRaw = rawRecord(FltTestWriter().group("g").bytes());
    const FltRawData headerRaw = rawRecord(FltTestWriter().header(1400).bytes());
    factory.create(group, &groupRaw);
    factory.create(header, &headerRaw);
    EXPECT_EQ(static_cast<FltRecordGroup*>(group)->getVersion(), 1570);
    EXPECT_EQ(static_cast<FltRecordHeader*>(header)->formatRevisionLevel, 1400);
    EXPECT_NE(out.text().find("\n GROUP RECORD \n"), std::string::npos);
    delete group;
    delete header;
}

TEST(Factory, ConsecutiveSoundPalettesGrowOneObject)
{
    Flt_15_7_CreationVisitor factory;
    factory.setVersion(1570);
    StreamCapture out(std::cout);
    const FltRawData headerPart =
        rawRecord(FltTestWriter().record(93).i32(1).i32(1).i32(1).i32(12).zeros(12).i32(4).i32(0).i32(0).bytes());
    const FltRawData dataPart = rawRecord(FltTestWriter().record(93).i32(2).i32(6).text("a.wav", 6).bytes());
    const FltRawData group = rawRecord(FltTestWriter().group("g").bytes());
    FltRecord* first = nullptr;
    FltRecord* second = nullptr;
    FltRecord* between = nullptr;
    FltRecord* third = nullptr;
    factory.create(first, &headerPart);
    factory.create(second, &dataPart);
    factory.create(between, &group);
    factory.create(third, &dataPart);
    EXPECT_EQ(first, second);
    EXPECT_NE(third, first);
    EXPECT_EQ(static_cast<FltRecordSoundPalette*>(first)->subType, 3);
    EXPECT_EQ(static_cast<FltRecordSoundPalette*>(third)->subType, 2);
    delete first;
    delete between;
    delete third;
}

TEST(Factory, NoRecordOfAnyLengthOrContentReadsOutsideItsBytes)
{
    // Run under the sanitizers this is where a missing bound shows up.
    std::mt19937 random(7);
    StreamCapture out(std::cout);
    StreamCapture err(std::cerr);
    for (int32_t revision : {12, 1420, 1570, 1600}) {
        for (int opcode = 0; opcode <= 115; ++opcode) {
            Flt_15_7_CreationVisitor factory;
            factory.setVersion(revision);
            std::set<FltRecord*> made; // merged Sound Palettes come back as one object
            for (uint16_t length = 4; length < 360; length += (length < 100 ? 1 : 37)) {
                std::vector<uint8_t> bytes(length);
                for (uint8_t& byte : bytes)
                    byte = static_cast<uint8_t>(random());
                bytes[0] = static_cast<uint8_t>(opcode >> 8);
                bytes[1] = static_cast<uint8_t>(opcode);
                bytes[2] = static_cast<uint8_t>(length >> 8);
                bytes[3] = static_cast<uint8_t>(length);
                FltRawData raw = rawRecord(bytes);
                FltRecord* record = nullptr;
                factory.create(record, &raw);
                ASSERT_NE(record, nullptr);
                made.insert(record);
            }
            for (FltRecord* record : made)
                delete record;
        }
    }
}
