// The branches of the texture mapping palette (mapping type, warp, and the
// repetitions that only records longer than 576 bytes carry) and the sound
// palette's two parts, one record each, merged by the factory.

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "FltRawData.h"
#include "FltRecordSoundPalette.h"
#include "FltRecordTextureMappingPalette.h"
#include "FltTestWriter.h"
#include "MiscRecordDumps.h"

namespace {

// A texture mapping palette of the given type, `length` bytes long, whose
// bytes 576 to 583 hold the repetitions 2.5 and 4 of a four-point put.
std::vector<uint8_t> mappingRecord(int32_t type, std::size_t length)
{
    FltTestWriter w;
    w.record(112).i32(0).i32(1).text("m", 20).i32(type).i32(0).zeros(128);
    w.zeros(408).f32(2.5f).f32(4);
    return resizedRecord(w.bytes(), length);
}

} // namespace

TEST(MiscRecordsBranches, TextureMappingBlocksFollowTypeAndLength)
{
    FltRecordTextureMappingPalette withRepetitions(584);
    withRepetitions.read(mappingRecord(2, 584).data());
    ASSERT_TRUE(withRepetitions.pointPutMapping);
    EXPECT_EQ(withRepetitions.pointPutMapping->uRepetition, 2.5f);
    EXPECT_EQ(withRepetitions.pointPutMapping->vRepetition, 4.0f);

    // A 576-byte record predates the repetitions: they stay 0 even though
    // the bytes behind the record would hold them.
    FltRecordTextureMappingPalette older(576);
    older.read(mappingRecord(2, 584).data());
    ASSERT_TRUE(older.pointPutMapping);
    EXPECT_EQ(older.pointPutMapping->uRepetition, 0.0f);
    EXPECT_EQ(older.pointPutMapping->vRepetition, 0.0f);

    // No block for other types: the dump ends with the warp flag.
    FltRecordTextureMappingPalette plain(168);
    const std::string plainDump = decodeAndDump(plain, mappingRecord(3, 168));
    EXPECT_EQ(plainDump.substr(plainDump.size() - 16), "\n warpedFlag: 0\n");
    EXPECT_TRUE(!plain.putMapping && !plain.pointPutMapping && !plain.sphericalMapping &&
                !plain.radialMapping && !plain.warpedMapping);
}

TEST(MiscRecordsBranches, SoundPaletteDataPartMergesIntoHeaderPart)
{
    FltTestWriter header, data, loneData;
    header.record(93).i32(1).i32(4).i32(1).i32(8).zeros(12).i32(3).i32(0).i32(6);
    data.record(93).i32(2).i32(10).text("boom.wav", 10).zeros(2);
    // Claims 100 packed bytes and holds 4: only its own bytes may be read.
    loneData.record(93).i32(2).i32(100).text("hiss", 4);

    Flt_15_7_CreationVisitor factory;
    std::ostringstream transcript;
    std::streambuf* saved = std::cout.rdbuf(transcript.rdbuf());
    FltRecord* records[3] = {};
    const std::vector<uint8_t> images[3] = {header.bytes(), data.bytes(), loneData.bytes()};
    for (int i = 0; i < 3; ++i) {
        FltRawData raw;
        raw.setHeader(images[i].data(), 0);
        raw.data = images[i];
        factory.create(records[i], &raw);
    }
    std::cout.rdbuf(saved);

    // Every record that follows a sound palette joins it: one object for all three.
    std::unique_ptr<FltRecord> owned(records[0]);
    ASSERT_EQ(records[0], records[1]);
    ASSERT_EQ(records[1], records[2]);
    auto* palette = dynamic_cast<FltRecordSoundPalette*>(records[0]);
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette->subType, 3);
    EXPECT_EQ(palette->fileNameOffsets.at(3), 6);
    // The last data part replaces the previous one and keeps the header part.
    EXPECT_EQ(palette->dataLength, 100); // as the file says; only the 4 bytes it holds are kept
    EXPECT_EQ(std::string(palette->packedData.data()), "hiss");
    EXPECT_NE(transcript.str().find("subType : 3\ndataLength : 10\npackedData : boom.wav\n"),
              std::string::npos);

    FltRecordSoundPalette lone(16);
    const std::string loneDump = decodeAndDump(lone, loneData.bytes());
    EXPECT_NE(loneDump.find("Length: 16 --\nsubType : 2\ndataLength : 100\npackedData : hiss\n"),
              std::string::npos);
}
