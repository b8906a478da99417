// The conversion and fltconvert --info follow external references by one
// rule: on a database whose references are missing, cyclic and too deep
// they give up on the same references for the same reasons.

#include <gtest/gtest.h>

#include <filesystem>

#include "ConvertedDatabase.h"
#include "DatabaseInfo.h"

namespace {

// "NAME: why" for each reference the conversion did not follow, from its warnings.
std::vector<std::string> notFollowedByTheConversion(const std::vector<std::string>& warnings)
{
    const std::string missing = "ERROR! CAN'T RESOLVE EXTERNAL REFERENCE: ";
    const std::string notFollowed = "ERROR! EXTERNAL REFERENCE NOT FOLLOWED (";
    std::vector<std::string> found;
    for (const std::string& warning : warnings) {
        if (warning.compare(0, missing.size(), missing) == 0) {
            found.push_back(warning.substr(missing.size()) + ": missing");
        } else if (warning.compare(0, notFollowed.size(), notFollowed) == 0) {
            const std::size_t end = warning.find("): ");
            const std::string why = warning.substr(notFollowed.size(), end - notFollowed.size());
            found.push_back(warning.substr(end + 3) + ": " +
                            (why == "it leads back to a file being converted" ? "cycle" : why));
        }
    }
    return found;
}

void notFollowedByInfo(const std::vector<DatabaseInfo::Reference>& references, std::vector<std::string>& found)
{
    for (const DatabaseInfo::Reference& reference : references) {
        if (reference.state == DatabaseInfo::Reference::State::NotFollowed)
            found.push_back(reference.name + ": " + reference.reason);
        else if (reference.state != DatabaseInfo::Reference::State::Found)
            found.push_back(reference.name + ": " + referenceStateName(reference.state));
        notFollowedByInfo(reference.references, found);
    }
}

} // namespace

TEST(ReferencePolicy, ConversionAndInfoGiveUpOnTheSameReferences)
{
    ScratchDir dir;
    FltTestWriter top;
    top.header(1570).pushLevel().externalReference("missing.flt").externalReference("folder.flt");
    top.externalReference("loop.flt").externalReference("d1.flt").popLevel();
    dir.write("top.flt", top.bytes());
    std::filesystem::create_directory(dir.file("folder.flt"));
    FltTestWriter loop;
    loop.header(1570).pushLevel().externalReference("./top.flt").externalReference("loop.flt").popLevel();
    dir.write("loop.flt", loop.bytes());
    // A chain of references longer than any the reading follows.
    for (int i = 1; i <= 40; ++i) {
        FltTestWriter link;
        link.header(1570).pushLevel().externalReference("d" + std::to_string(i + 1) + ".flt").popLevel();
        dir.write("d" + std::to_string(i) + ".flt", link.bytes());
    }

    ConvertedDatabase converted(dir, "top.flt");
    ASSERT_TRUE(converted.converted);
    const std::vector<std::string> byConversion = notFollowedByTheConversion(converted.warnings);
    std::vector<std::string> byInfo;
    notFollowedByInfo(readDatabaseInfo(dir.file("top.flt")).references, byInfo);

    const std::vector<std::string> expected = {"missing.flt: missing", "folder.flt: missing", "./top.flt: cycle",
                                               "loop.flt: cycle", "d32.flt: references nested too deep"};
    EXPECT_EQ(byConversion, expected);
    EXPECT_EQ(byInfo, expected);
}
