// The fuzzer's input layout and its structure mutator: inputs survive being
// cut apart and joined, and mutated inputs stay within their room and mostly
// remain whole records, so that they reach past the parser.

#include <gtest/gtest.h>

#include <set>

#include "ExampleDatabase.h"
#include "FltStructureMutator.h"
#include "FuzzInput.h"

namespace {

// Stands in for libFuzzer's byte mutation: flips one byte.
std::size_t flipOneByte(uint8_t* data, std::size_t size, std::size_t)
{
    if (size)
        data[size / 2] ^= 0x40;
    return size;
}

std::vector<uint8_t> bytesOf(const FuzzBytes& part) { return {part.data, part.data + part.size}; }

} // namespace

TEST(FuzzInputLayout, FilesAndOptionsSurviveJoiningAndCutting)
{
    const std::vector<std::vector<uint8_t>> files = {buildExampleDatabase(), {}, buildExampleFountain()};
    for (const bool hasOptions : {false, true}) {
        const std::vector<uint8_t> input = joinFuzzInput(files, hasOptions, kFuzzGltfAsJson);
        const FuzzInputParts parts = splitFuzzInput(input.data(), input.size());
        ASSERT_EQ(parts.files.size(), 3u);
        for (std::size_t i = 0; i < files.size(); ++i)
            EXPECT_EQ(bytesOf(parts.files[i]), files[i]);
        EXPECT_EQ(parts.hasOptions, hasOptions);
        EXPECT_EQ(parts.options, hasOptions ? kFuzzGltfAsJson : 0);
    }
    // A fourth database is ignored; a plain database is an input of one file.
    const std::vector<uint8_t> four = joinFuzzInput({{1}, {2}, {3}, {4}});
    EXPECT_EQ(splitFuzzInput(four.data(), four.size()).files.size(), 3u);
    const std::vector<uint8_t> plain = buildExampleDatabase();
    EXPECT_EQ(bytesOf(splitFuzzInput(plain.data(), plain.size()).files.at(0)), plain);
}

TEST(FltStructureMutator, MutantsFitTheirRoomAndMostlyCutIntoWholeRecords)
{
    const std::vector<uint8_t> seed = joinFuzzInput({buildExampleDatabase(), buildExampleFountain()});
    const std::size_t maxSize = seed.size() + 4096;
    std::vector<uint8_t> input(maxSize);
    int whole = 0;
    std::set<std::size_t> sizes;
    constexpr int runs = 2000;
    for (unsigned seedNumber = 0; seedNumber < runs; ++seedNumber) {
        std::copy(seed.begin(), seed.end(), input.begin());
        FltStructureMutator mutator(seedNumber, flipOneByte);
        const std::size_t size = mutator.mutate(input.data(), seed.size(), maxSize);
        ASSERT_LE(size, maxSize);
        sizes.insert(size);
        const FuzzInputParts parts = splitFuzzInput(input.data(), size);
        bool allWhole = true;
        for (const FuzzBytes& file : parts.files)
            allWhole = allWhole && RecordStream::cut(file.data, file.size).tail.empty();
        whole += allWhole ? 1 : 0;
    }
    EXPECT_GT(whole, runs * 3 / 4);
    EXPECT_GT(sizes.size(), 100u); // records really come and go
}
