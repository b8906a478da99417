// Real databases from public projects: each must convert cleanly, with a
// full transcript. Skipped where the shared samples are not present.

#include <gtest/gtest.h>

#include <filesystem>

#include "TestFiles.h"
#include "Veldra.h"
#include "convertFltFile.h"

TEST(SampleDatabases, EveryOneConvertsWithoutErrors)
{
    const std::string samples = samplesDir();
    if (samples.empty())
        GTEST_SKIP() << "no sample databases here";

    // Logs are written beside the inputs: work on a copy, folder layout kept.
    ScratchDir dir;
    namespace fs = std::filesystem;
    fs::copy(samples, dir.path(), fs::copy_options::recursive);
    int converted = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
        if (entry.path().extension() != ".flt")
            continue;
        const std::string path = entry.path().string();
        SCOPED_TRACE(path);
        WarningMark mark;
        StreamCapture out(std::cout);
        StreamCapture err(std::cerr);
        bool ok = false;
        SoSeparator* root = convertFltFile(path.c_str(), ok);
        ASSERT_NE(root, nullptr);
        EXPECT_TRUE(ok);
        for (int level : mark.levels())
            EXPECT_LT(level, 3) << err.text();
        const std::string log = readTextFile(path + ".log");
        EXPECT_EQ(log.find("beginning of parsing\n"), 0u);
        EXPECT_NE(log.find("\nend of parsing\n"), std::string::npos);
        EXPECT_EQ(log.find("UNKNOWN RECORD \n  ()\n-- Opcode: 1 "), std::string::npos);
        root->unref();
        ++converted;
    }
    EXPECT_GT(converted, 0);
}
