// The conversion entry's process-wide settings for whole trees: where the
// transcript goes (beside the input, in a folder, nowhere), and a database
// held in memory standing in for the file of its name.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <iostream>

#include "FltLogPlacement.h"
#include "FltMemoryFiles.h"
#include "FltTestWriter.h"
#include "TestFiles.h"
#include "Veldra.h"
#include "convertFltFile.h"

namespace {

// Converts and releases the scene; whether the records were walked.
bool convert(const std::string& file)
{
    bool converted = false;
    SoSeparator* root = convertFltFile(file.c_str(), converted);
    if (root && root->getRefCount() > 0)
        SoRef<SoSeparator>::adopt(root);
    else if (root)
        SoRef<SoSeparator> last(root);
    return converted;
}

// Puts the settings back as every other test expects them.
struct DefaultPlacement {
    ~DefaultPlacement()
    {
        setFltLogFolder("");
        setFltLogWritten(true);
    }
};

} // namespace

TEST(ConversionSettings, TheTranscriptGoesBesideIntoAFolderOrNowhere)
{
    const DefaultPlacement restore;
    ScratchDir dir;
    const std::string file = dir.write("town.flt", FltTestWriter().header(1570).group("g").bytes());
    EXPECT_EQ(fltLogPathFor(file), file + ".log");

    setFltLogFolder(dir.file("logs/"));
    EXPECT_EQ(fltLogPathFor(file), dir.file("logs/town.flt.log"));
    ASSERT_EQ(mkdir(dir.file("logs").c_str(), 0700), 0);
    ASSERT_TRUE(convert(file));
    EXPECT_NE(readTextFile(dir.file("logs/town.flt.log")).find("GROUP RECORD"), std::string::npos);
    EXPECT_FALSE(fileExists(file + ".log"));

    // Dropped: the records are read all the same, and the caller's output gets nothing.
    setFltLogWritten(false);
    EXPECT_EQ(fltLogPathFor(file), "");
    std::string printed;
    {
        const StreamCapture output(std::cout);
        ASSERT_TRUE(convert(file));
        printed = output.text();
    }
    EXPECT_EQ(printed.find("GROUP RECORD"), std::string::npos) << printed;
    EXPECT_FALSE(fileExists(file + ".log"));
    // The caller's standard output works again afterwards.
    std::cout << "";
    EXPECT_TRUE(std::cout.good());
}

TEST(ConversionSettings, AnImageInMemoryStandsForItsFileAndResolvesReferencesBesideIt)
{
    const DefaultPlacement restore;
    setFltLogWritten(false);
    ScratchDir dir;
    dir.write("part.flt", FltTestWriter().header(1570).group("part").bytes());
    const std::vector<uint8_t> image =
        FltTestWriter().header(1570).pushLevel().group("top").pushLevel().externalReference("part.flt")
            .popLevel().popLevel().bytes();
    const std::string name = dir.file("inmemory.flt");
    provideFltMemoryFile(name, image.data(), image.size());
    const WarningMark mark;
    const bool converted = convert(name);
    withdrawFltMemoryFile(name);
    EXPECT_TRUE(converted);
    EXPECT_FALSE(fileExists(name));
    for (const std::string& text : mark.texts())
        EXPECT_EQ(text.find("EXTERNAL REFERENCE"), std::string::npos) << text;
    // Withdrawn, the name is a file again: there is none.
    EXPECT_FALSE(convert(name));
}
