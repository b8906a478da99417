// The README's example database is the project's own output, not an opaque file.

#include <gtest/gtest.h>

#include "ExampleDatabase.h"
#include "TestFiles.h"

TEST(ExampleDatabase, ShippedFileIsWhatTheWriterMakes)
{
    const std::string shipped = readTextFile(FLT_EXAMPLE_FILE);
    const std::vector<uint8_t> made = buildExampleDatabase();
    EXPECT_EQ(shipped, std::string(made.begin(), made.end()))
        << "regenerate it with: build/tests/make_example examples/example.flt";
}
