// Conversions started from several threads at once take turns: each gets
// the transcript and the scene it would get alone. A large file's own dumps
// run on a second thread while it is parsed and walked, and its transcript
// is still the one written record by record.

#include <gtest/gtest.h>

#include <thread>

#include "ConvertedDatabase.h"
#include "ExampleDatabase.h"
#include "FltFileInput.h"
#include "FltParser.h"
#include "FltRecord.h"

TEST(ConcurrentConversion, ThreadsGetSeparateCorrectTranscriptsAndScenes)
{
    ScratchDir dir;
    dir.write("fountain.flt", buildExampleFountain());
    const std::vector<std::vector<uint8_t>> databases = {
        buildExampleDatabase(), buildExampleFountain(), FltTestWriter().header(1570, 0, 4).bytes(),
        FltTestWriter().header(1570).pushLevel().group("g").popLevel().popLevel().bytes()};
    // What each database gives when converted alone.
    std::vector<std::string> expectedLogs, expectedScenes;
    for (std::size_t i = 0; i < databases.size(); ++i) {
        const std::string name = "alone" + std::to_string(i) + ".flt";
        dir.write(name, databases[i]);
        ConvertedDatabase alone(dir, name);
        expectedLogs.push_back(alone.log);
        expectedScenes.push_back(alone.scene());
    }

    constexpr int rounds = 5;
    const auto fileOf = [&](std::size_t i, int round) {
        return dir.file("t" + std::to_string(i) + "_" + std::to_string(round) + ".flt");
    };
    for (std::size_t i = 0; i < databases.size(); ++i)
        for (int round = 0; round < rounds; ++round)
            dir.write(fileOf(i, round).substr(dir.path().size() + 1), databases[i]);
    std::vector<std::string> logs(databases.size() * rounds), scenes(databases.size() * rounds);
    std::vector<std::thread> threads;
    StreamCapture out(std::cout);
    StreamCapture err(std::cerr);
    for (std::size_t i = 0; i < databases.size(); ++i)
        threads.emplace_back([&, i] {
            for (int round = 0; round < rounds; ++round) {
                SoSeparator* root = convertFltFile(fileOf(i, round).c_str());
                if (root->getRefCount() == 0)
                    root->ref();
                scenes[i * rounds + round] = writeSceneToString(root);
                root->unref();
                logs[i * rounds + round] = readTextFile(fileOf(i, round) + ".log");
            }
        });
    for (std::thread& thread : threads)
        thread.join();

    for (std::size_t i = 0; i < databases.size(); ++i)
        for (int round = 0; round < rounds; ++round) {
            SCOPED_TRACE(testing::Message() << "database " << i << " round " << round);
            EXPECT_EQ(logs[i * rounds + round], expectedLogs[i]);
            EXPECT_EQ(scenes[i * rounds + round], expectedScenes[i]);
        }
}

TEST(ConcurrentConversion, ALargeFilesTranscriptIsItsRecordsDumpsThenWhatTheWalkPrints)
{
    // The same scene twice, the large copy with 30000 more vertices (over a
    // megabyte): the walk prints a bad colour index and a referenced file's
    // opening line, which must come after every dump in both.
    const auto database = [](int extraVertices) {
        FltTestWriter w;
        w.header(1570).vertexPalette();
        for (int i = 0; i < 3 + extraVertices; ++i)
            w.vertexColor(i, i % 7, 0);
        w.externalReference("other.flt").object("o").pushLevel();
        w.face("f", FltFaceStyle().colorIndex(5000 * 128)).pushLevel().vertexList({8, 48, 88}).popLevel();
        w.popLevel();
        return w.bytes();
    };
    ScratchDir dir;
    dir.write("other.flt", FltTestWriter().header(1570).bytes());
    dir.write("small.flt", database(0));
    dir.write("large.flt", database(30000));
    ASSERT_GT(database(30000).size(), std::size_t(1) << 20);
    ConvertedDatabase small(dir, "small.flt");
    ConvertedDatabase large(dir, "large.flt");
    ASSERT_TRUE(large.converted);

    // The parse's part, as the parser writes it with every dump in place.
    std::string parsePart;
    {
        FltFileInput input(dir.file("large.flt").c_str());
        StreamCapture out(std::cout);
        FltParser parser(&input);
        parser.parse();
        parser.deleteRecords();
        parsePart = out.text();
    }
    const std::string endOfParse = "end of parsing\n";
    const std::string walkPart = small.log.substr(small.log.find(endOfParse) + endOfParse.size());
    ASSERT_NE(walkPart.find("bad color index\n"), std::string::npos);
    ASSERT_NE(walkPart.find("Success in opening file: " + dir.file("other.flt")), std::string::npos);
    // Compared whole, without a line-by-line difference of megabytes.
    EXPECT_TRUE(large.log == parsePart + walkPart);
}
