// Dumps written on a second thread must give the very transcript that
// dumping each record at once gives: same order, text printed between
// records in its place, a merged record's earlier dump taken before it grew.

#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include "FltDumpBlockWriter.h"
#include "FltDumpQueue.h"
#include "FltRawData.h"
#include "FltRecord.h"
#include "Flt_15_7_CreationVisitor.h"
#include "FltTestWriter.h"

namespace {

std::vector<std::vector<uint8_t>> recordImages()
{
    std::vector<std::vector<uint8_t>> images;
    images.push_back(FltTestWriter().header(1570).bytes());
    images.push_back(FltTestWriter().group("g1").bytes());
    // Two sound palette parts: the second grows the object the first made.
    images.push_back(FltTestWriter().record(93).i32(1).i32(4).i32(1).i32(8).zeros(12).i32(3).i32(0).i32(6).bytes());
    images.push_back(FltTestWriter().record(93).i32(2).i32(10).text("boom.wav", 10).zeros(2).bytes());
    images.push_back(FltTestWriter().comment("after the palette").bytes());
    for (int i = 0; i < 600; ++i) // more than one group of hand-overs
        images.push_back(FltTestWriter().vertexColor(i, 2 * i, 0.5).bytes());
    return images;
}

// Every record through one factory, with a line printed after each.
std::string transcriptOf(bool queued)
{
    std::ostringstream transcript;
    std::streambuf* saved = std::cout.rdbuf(transcript.rdbuf());
    std::vector<FltRecord*> records;
    {
        Flt_15_7_CreationVisitor factory;
        std::unique_ptr<FltDumpQueue> queue;
        if (queued) {
            queue = std::make_unique<FltDumpQueue>(std::cout);
            factory.setDumpQueue(queue.get());
        }
        int line = 0;
        for (const std::vector<uint8_t>& image : recordImages()) {
            FltRawData raw;
            raw.setHeader(image.data(), 0);
            raw.data = image;
            FltRecord* record = nullptr;
            factory.create(record, &raw);
            if (records.empty() || records.back() != record)
                records.push_back(record);
            std::cout << "printed after record " << ++line << std::endl;
        }
        if (queue)
            queue->finish();
    }
    EXPECT_EQ(std::cout.rdbuf(), transcript.rdbuf()); // the stream is given back
    std::cout.rdbuf(saved);
    for (FltRecord* record : records)
        delete record;
    return transcript.str();
}

} // namespace

TEST(DumpQueue, GivesTheTranscriptOfDumpingEachRecordAtOnce)
{
    const std::string direct = transcriptOf(false);
    const std::string queued = transcriptOf(true);
    ASSERT_NE(direct.find("printed after record 605\n"), std::string::npos);
    ASSERT_NE(direct.find("packedData : boom.wav"), std::string::npos);
    EXPECT_EQ(queued, direct);
}

// The blocks reach the stream whole and in order, however far the writing
// lags behind, and a block handed back for reuse carries nothing over.
TEST(DumpQueue, BlockWriterKeepsEveryBlockInOrder)
{
    std::stringbuf target;
    std::string expected;
    {
        FltDumpBlockWriter blocks(&target);
        FltDumpBuffer block;
        for (int i = 0; i < 200; ++i) {
            const std::string text = "block " + std::to_string(i) + std::string(i * 97 % 5000, 'a' + i % 26) + "\n";
            block.append(text.data(), text.size());
            expected += text;
            blocks.handOver(block);
            EXPECT_TRUE(block.empty());
        }
        blocks.handOver(block); // nothing in it: nothing written
        blocks.finish();
        EXPECT_EQ(target.str().size(), expected.size()) << "all written once finish returns";
    }
    EXPECT_EQ(target.str(), expected);
}
