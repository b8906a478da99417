// The README's example databases are the project's own output, not opaque files.

#include <gtest/gtest.h>

#include "ExampleDatabase.h"
#include "TestFiles.h"

TEST(ExampleDatabase, ShippedFilesAreWhatTheWriterMakes)
{
    const struct {
        const char* path;
        std::vector<uint8_t> made;
    } files[] = {{FLT_EXAMPLE_FILE, buildExampleDatabase()},
                 {FLT_FOUNTAIN_FILE, buildExampleFountain()}};
    for (const auto& file : files) {
        const std::string shipped = readTextFile(file.path);
        EXPECT_EQ(shipped, std::string(file.made.begin(), file.made.end()))
            << file.path << " is stale; regenerate with: cmake --build build --target regenerate_examples";
    }
}
