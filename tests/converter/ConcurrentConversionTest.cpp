// Conversions started from several threads at once take turns: each gets
// the transcript and the scene it would get alone.

#include <gtest/gtest.h>

#include <thread>

#include "ConvertedDatabase.h"
#include "ExampleDatabase.h"

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
