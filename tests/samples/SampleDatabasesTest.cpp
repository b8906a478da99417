// Real databases from public projects: each must convert, with a full
// transcript and geometry in the scene. Skipped where the shared samples are
// not present.

#include <gtest/gtest.h>

#include <filesystem>

#include "TestFiles.h"
#include "Veldra.h"
#include "convertFltFile.h"

TEST(SampleDatabases, EveryOneConvertsWithItsGeometry)
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
        // The only errors allowed are the ones a damaged file earns: vertex
        // lists that name offsets where no vertex record starts.
        const std::vector<int> levels = mark.levels();
        const std::vector<std::string> texts = mark.texts();
        for (std::size_t i = 0; i < levels.size(); ++i) {
            if (levels[i] >= 3) {
                EXPECT_EQ(texts[i].find("WARNING ! This SoVertexProperty hasn t any id"), 0u) << texts[i];
            }
        }
        SoGetBoundingBoxAction bounds{SbViewportRegion()};
        bounds.apply(root);
        EXPECT_FALSE(bounds.getBoundingBox().isEmpty());
        const std::string log = readTextFile(path + ".log");
        EXPECT_EQ(log.find("beginning of parsing\n"), 0u);
        EXPECT_NE(log.find("\nend of parsing\n"), std::string::npos);
        EXPECT_EQ(log.find("UNKNOWN RECORD \n  ()\n-- Opcode: 1 "), std::string::npos);
        root->unref();
        ++converted;
    }
    EXPECT_GT(converted, 0);
}
