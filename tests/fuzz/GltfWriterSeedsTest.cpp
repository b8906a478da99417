// The glTF writer's fuzz seeds, whole and cut short, through the fuzzer's
// path: each whole seed is written, each cut one refused, none crashes.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "GltfWriterInput.h"

TEST(GltfWriterSeeds, WholeSeedsAreWrittenAndCutOnesRefused)
{
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(FLT_GLTF_FUZZ_CORPUS_DIR)) {
        SCOPED_TRACE(entry.path().string());
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_TRUE(runGltfWriterInput(bytes.data(), bytes.size()));
        for (std::size_t cut = 1; cut < bytes.size(); cut += 97)
            EXPECT_FALSE(runGltfWriterInput(bytes.data(), cut)) << cut;
        ++seeds;
    }
    EXPECT_GE(seeds, 5);
}
