// The fuzzer's seeds and the inputs that once found bugs: every first file
// whose records are whole writes back to its own bytes, with the extended
// record set off and on (the fuzzer checks the same on every input it makes).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "FltExtendedRecords.h"
#include "FuzzInput.h"
#include "FuzzOneInput.h"
#include "TestFiles.h"

TEST(FuzzCorpus, EveryWholeFirstFileReencodesToItsBytes)
{
    const bool extendedBefore = isFltExtendedRecords();
    int checked = 0;
    StreamCapture err(std::cerr);
    for (const char* dir : {FLT_FUZZ_CORPUS_DIR, FLT_FUZZ_REGRESSIONS_DIR}) {
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            SCOPED_TRACE(entry.path().string());
            std::ifstream in(entry.path(), std::ios::binary);
            const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            const FuzzBytes first = splitFuzzInput(bytes.data(), bytes.size()).files.at(0);
            for (bool extended : {false, true}) {
                setFltExtendedRecords(extended);
                EXPECT_TRUE(reencodesToItsBytes(first.data, first.size)) << "extended: " << extended;
            }
            ++checked;
        }
    }
    setFltExtendedRecords(extendedBefore);
    EXPECT_GT(checked, 300);
}
