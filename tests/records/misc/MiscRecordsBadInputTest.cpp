// Truncated, inflated and lying records: every class decodes within its own
// bytes (each variant sits in a buffer of exactly its size, so the
// sanitizers catch any read beyond it), leaves what is missing at zero, and
// never lets a count from the file outgrow the record.

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "FltRecordBoundingBox.h"
#include "FltRecordEyePointTrackPlane.h"
#include "FltRecordExtensionAttribute.h"
#include "FltRecordSoundPalette.h"
#include "FltRecordTextureMappingPalette.h"
#include "FltTestWriter.h"
#include "MiscRecordDumps.h"

namespace {

// Keeps the short-record warnings of a sweep off the error stream.
struct QuietErrors {
    std::ostringstream sink;
    std::streambuf* saved = std::cerr.rdbuf(sink.rdbuf());
    ~QuietErrors() { std::cerr.rdbuf(saved); }
};

// A full record of the opcode whose counts and flags, where it has any, lie.
std::vector<uint8_t> fullRecord(int16_t opcode, std::size_t length)
{
    FltTestWriter w;
    w.record(opcode);
    if (opcode == 93)
        w.i32(1).i32(-1).i32(0x7FFFFFFF).i32(-1);   // header part, huge count
    if (opcode == 112)
        w.i32(0).i32(1).text("tm", 20).i32(2).i32(1); // four-point put and warp
    for (std::size_t i = 0; w.bytes().size() < length; ++i)
        w.u8(static_cast<uint8_t>(0x3F + i * 7));
    return w.bytes();
}

} // namespace

TEST(MiscRecordsBadInput, EveryRecordSurvivesEveryLength)
{
    const struct {
        int16_t opcode;
        std::size_t fullLength;
    } records[] = {{51, 28},   {74, 56},   {83, 4008}, {91, 88},   {93, 200},  {95, 320},
                   {98, 280},  {100, 40},  {101, 64},  {102, 240}, {105, 16},  {106, 24},
                   {108, 32},  {109, 32},  {111, 156}, {112, 976}};
    QuietErrors quiet;
    for (const auto& r : records) {
        const std::vector<uint8_t> full = fullRecord(r.opcode, r.fullLength);
        const std::size_t step = r.fullLength > 400 ? 13 : 1;
        for (std::size_t length = 4; length <= r.fullLength + 16; length += step) {
            const std::vector<uint8_t> bytes = resizedRecord(full, length);
            const std::string dump = dumpRecords(bytes);
            EXPECT_NE(dump.find("-- Opcode: " + std::to_string(r.opcode) + "  Length: " +
                                std::to_string(length) + " --\n"),
                      std::string::npos)
                << r.opcode << " at " << length;
        }
    }
}

TEST(MiscRecordsBadInput, MissingFieldsStayZeroAndCountsAreClamped)
{
    FltTestWriter box;
    box.record(74).i32(0).f64(1).f64(2).f64(3).f64(4).f64(5).f64(6);
    FltRecordBoundingBox shortBox(30); // ends inside the third corner value
    shortBox.read(resizedRecord(box.bytes(), 30).data());
    EXPECT_EQ(shortBox.values[FltRecordBoundingBox::YcoordinateLowestCorner], 2.0);
    EXPECT_EQ(shortBox.values[FltRecordBoundingBox::ZcoordinateLowestCorner], 0.0);

    FltRecordExtensionAttribute extension(20);
    extension.read(resizedRecord(fullRecord(100, 40), 20).data());
    EXPECT_TRUE(extension.extendedData.empty());

    // 50 bytes behind the header part's 32 hold four whole entries, whatever actualNumber says.
    FltTestWriter entries;
    entries.record(93).i32(1).i32(9).i32(0x7FFFFFFF).i32(0).zeros(12);
    for (int i = 0; i < 6; ++i)
        entries.i32(i).i32(0).i32(i * 10);
    FltRecordSoundPalette header(82);
    header.read(resizedRecord(entries.bytes(), 82).data());
    EXPECT_EQ(header.fileNameOffsets.size(), 4u);
    EXPECT_EQ(header.actualNumber, 0x7FFFFFFF);

    FltTestWriter data;
    data.record(93).i32(2).i32(-5).text("abc", 3);
    FltRecordSoundPalette palette(15);
    palette.read(data.bytes().data());
    EXPECT_EQ(palette.dataLength, -5); // shown as the file has it, nothing copied
    EXPECT_EQ(palette.packedData.size(), 1u);

    // A four-point put block cut short: the block exists, its missing part is zero.
    FltRecordTextureMappingPalette mapping(200);
    mapping.read(resizedRecord(fullRecord(112, 976), 200).data());
    ASSERT_TRUE(mapping.pointPutMapping);
    EXPECT_NE(mapping.pointPutMapping->lowerLeftCorner[0], 0.0);
    EXPECT_EQ(mapping.pointPutMapping->upperRightCorner[0], 0.0);
    EXPECT_EQ(mapping.pointPutMapping->depthScale, 0.0f);
}

TEST(MiscRecordsBadInput, GridAngleTruncatesTowardZeroEvenOutOfRange)
{
    FltRecordEyePointTrackPlane record(4008);
    FltRecordEyePointTrackPlane::TrackPlane plane;
    plane.activeFlag = -1;
    const float angles[] = {-45.7f, 1e20f, -1e20f};
    const char* shown[] = {"gridAngle: -45\n", "gridAngle: 2147483647\n",
                           "gridAngle: -2147483648\n"};
    for (int i = 0; i < 3; ++i) {
        plane.gridAngle = angles[i];
        std::ostringstream dump;
        record.printTrackPlane(plane, dump);
        EXPECT_NE(dump.str().find(shown[i]), std::string::npos) << angles[i];
    }
}
