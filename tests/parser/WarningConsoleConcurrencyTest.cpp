// The warning console from several threads at once: writers add while a
// reader takes copies; nothing is lost, torn or read while it moves.

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "FltWarningMessageConsole.h"

TEST(WarningConsoleConcurrency, WritersAddWhileAReaderCopies)
{
    FltWarningMessageConsole& console = FltWarningMessageConsole::instance();
    const std::size_t before = console.count();
    constexpr int writers = 4;
    constexpr int perWriter = 2000;

    std::atomic<bool> done{false};
    std::size_t largestSeen = 0;
    bool torn = false;
    std::thread reader([&] {
        while (!done) {
            const std::vector<FltWarningMessage> copy = console.getWarningsFrom(before);
            largestSeen = std::max(largestSeen, copy.size());
            for (const FltWarningMessage& warning : copy)
                torn = torn || warning.text.compare(0, 7, "writer ") != 0 || warning.level != 1;
        }
    });
    std::vector<std::thread> threads;
    for (int w = 0; w < writers; ++w)
        threads.emplace_back([w] {
            for (int i = 0; i < perWriter; ++i)
                addWarning(("writer " + std::to_string(w) + " warning " + std::to_string(i)).c_str(), 1, false);
        });
    for (std::thread& thread : threads)
        thread.join();
    done = true;
    reader.join();

    const std::vector<FltWarningMessage> all = console.getWarningsFrom(before);
    ASSERT_EQ(all.size(), std::size_t(writers * perWriter));
    EXPECT_FALSE(torn);
    EXPECT_LE(largestSeen, all.size());
    // Each writer's warnings keep their order among the others'.
    std::vector<int> next(writers, 0);
    for (const FltWarningMessage& warning : all) {
        const int w = warning.text[7] - '0';
        EXPECT_EQ(warning.text, "writer " + std::to_string(w) + " warning " + std::to_string(next[w]++));
    }
}
