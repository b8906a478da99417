// Every input with which the fuzzer once found a bug, replayed through the
// same path as the fuzzer's: it must now pass without a crash or a leak.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "FuzzOneInput.h"

TEST(FuzzRegressions, EveryInputThatFoundABugNowConvertsAndExports)
{
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(FLT_FUZZ_REGRESSIONS_DIR)) {
        SCOPED_TRACE(entry.path().string());
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        runFuzzInput(bytes.data(), bytes.size());
        ++replayed;
    }
    EXPECT_GT(replayed, 0);
}
