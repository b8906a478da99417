// The OpenFlight reader as the host sees it: registration, the Header test
// by name and content, and the files it opens and leaves open. (Loading it
// and converting through it: the fltconvert and installed-package tests.)

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "FltTestWriter.h"
#include "SoInputFltReader.h"
#include "TestFiles.h"
#include "Veldra.h"

namespace {

class FltReader : public ::testing::Test {
protected:
    void SetUp() override { SoInputFltReader::initClass(); }
    void TearDown() override { SoInputFltReader::exitClass(); }

    // Asks the reader about a file named `name` holding `bytes`, named only.
    bool accepts(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        SoInput input;
        input.setFileName(dir.write(name, bytes).c_str());
        return reader.canConvert(&input);
    }

    ScratchDir dir;
    SoInputFltReader reader;
};

std::vector<uint8_t> firstBytes(std::size_t count)
{
    std::vector<uint8_t> bytes = FltTestWriter().header(1570).bytes();
    bytes.resize(count);
    return bytes;
}

} // namespace

TEST_F(FltReader, RegistersOnceUntilUnregistered)
{
    const SoType type = SoInputFltReader::getClassTypeId();
    EXPECT_EQ(type, SoType::fromName("InputFltReader"));
    EXPECT_EQ(type.getParent(), SoInputReader::getClassTypeId());
    SoInputFltReader::initClass();
    EXPECT_EQ(SoInputFltReader::getClassTypeId(), type);
    SoInputFltReader::exitClass();
    EXPECT_TRUE(SoType::fromName("InputFltReader").isBad());
    SoInputFltReader::initClass();
    EXPECT_FALSE(SoType::fromName("InputFltReader").isBad());
}

TEST_F(FltReader, AcceptsOnlyHeadersOfTheKnownRevisionsInTheFirst62Bytes)
{
    for (int32_t revision : {11, 14, 1280, 1570, 2303})
        EXPECT_TRUE(accepts("model.flt", FltTestWriter().header(revision).bytes())) << revision;
    for (int32_t revision : {10, 15, 1279, 2304, 0x10000 + 1570})
        EXPECT_FALSE(accepts("model.flt", FltTestWriter().header(revision).bytes())) << revision;
    EXPECT_FALSE(accepts("model.flt", FltTestWriter().header(1570, 0, 0, 0).bytes())); // multiplier 0
    EXPECT_FALSE(accepts("model.flt", FltTestWriter().group("g").padTo(64).bytes()));
    EXPECT_TRUE(accepts("exact.flt", firstBytes(62)));
    EXPECT_FALSE(accepts("short.flt", firstBytes(61)));
}

TEST_F(FltReader, NamedInputsNeedTheExtensionAndAreClosedAgain)
{
    EXPECT_TRUE(accepts("model.FLT", firstBytes(62)));
    EXPECT_FALSE(accepts("model.txt", firstBytes(62)));
    SoInput input;
    EXPECT_FALSE(reader.canConvert(&input)); // nothing to read
    std::filesystem::create_directory(dir.file("folder.flt"));
    input.setFileName(dir.file("folder.flt").c_str());
    EXPECT_FALSE(reader.canConvert(&input));

    const auto openFiles = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
    };
    const auto before = openFiles();
    EXPECT_TRUE(accepts("open.flt", firstBytes(62)));
    EXPECT_EQ(openFiles(), before);
}

TEST_F(FltReader, AnOpenFileOfTheInputIsTestedWhateverItsNameAndStaysOpen)
{
    SoInput input;
    ASSERT_TRUE(input.openFile(dir.write("notes.txt", firstBytes(100)).c_str()));
    std::fseek(input.getCurFile(), 80, SEEK_SET);
    EXPECT_TRUE(reader.canConvert(&input));
    EXPECT_EQ(std::ftell(input.getCurFile()), 62);
}
