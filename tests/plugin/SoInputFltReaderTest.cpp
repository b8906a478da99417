// The OpenFlight reader as the host sees it: registration, the Header test
// by name and content, the files it opens and leaves open, conversion, and
// the plug-in loaded by path.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ExampleDatabase.h"
#include "FltTestWriter.h"
#include "SoInputFltReader.h"
#include "TestFiles.h"
#include "Veldra.h"

namespace {

class FltReader : public ::testing::Test {
protected:
    void SetUp() override { SoInputFltReader::initClass(); }
    void TearDown() override { SoInputFltReader::exitClass(); }

    // Asks a reader about a file named `name` holding `bytes`, named only.
    bool accepts(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        SoInput input;
        input.setFileName(dir.write(name, bytes).c_str());
        return reader.canConvert(&input);
    }

    ScratchDir dir;
    SoInputFltReader reader;
};

std::size_t openFileCount()
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                                  std::filesystem::directory_iterator()));
}

} // namespace

TEST_F(FltReader, RegistersOnceUntilUnregistered)
{
    const SoType type = SoInputFltReader::getClassTypeId();
    ASSERT_FALSE(type.isBad());
    EXPECT_EQ(type, SoType::fromName("InputFltReader"));
    EXPECT_EQ(type.getParent(), SoInputReader::getClassTypeId());
    EXPECT_EQ(reader.getTypeId(), type);
    SoInputFltReader::initClass();
    EXPECT_EQ(SoInputFltReader::getClassTypeId(), type);

    SoInputFltReader::exitClass();
    EXPECT_TRUE(SoInputFltReader::getClassTypeId().isBad());
    EXPECT_TRUE(SoType::fromName("InputFltReader").isBad());
    SoInputFltReader::initClass();
    EXPECT_EQ(SoInputFltReader::getClassTypeId(), SoType::fromName("InputFltReader"));
    EXPECT_FALSE(SoInputFltReader::getClassTypeId().isBad());

    auto* made = static_cast<SoInputReader*>(SoInputFltReader::getClassTypeId().createInstance());
    ASSERT_NE(made, nullptr);
    made->ref();
    EXPECT_TRUE(made->isOfType(SoInputReader::getClassTypeId()));
    made->unref();
}

TEST_F(FltReader, AcceptsHeadersOfRevisions11To14And1280To2303)
{
    for (int32_t revision : {11, 14, 1280, 1570, 1610, 2303})
        EXPECT_TRUE(accepts("model.flt", FltTestWriter().header(revision).bytes())) << revision;
    for (int32_t revision : {10, 15, 127, 1279, 2304, 0x10000 + 1570, -1570})
        EXPECT_FALSE(accepts("model.flt", FltTestWriter().header(revision).bytes())) << revision;
    // The unit multiplier at offset 60 must be 1.
    EXPECT_FALSE(accepts("model.flt", FltTestWriter().header(1570, 0, 0, 0).bytes()));
    EXPECT_FALSE(accepts("model.flt", FltTestWriter().header(1570, 0, 0, 257).bytes()));
    // The first record must be a Header.
    EXPECT_FALSE(accepts("model.flt", FltTestWriter().group("g").padTo(64).bytes()));
}

TEST_F(FltReader, ReadsNoFurtherThanTheFirst62Bytes)
{
    std::vector<uint8_t> header = FltTestWriter().header(1570).bytes();
    header.resize(62);
    EXPECT_TRUE(accepts("exact.flt", header));
    header.resize(61);
    EXPECT_FALSE(accepts("short.flt", header));
    EXPECT_FALSE(accepts("empty.flt", {}));
}

TEST_F(FltReader, NamedInputsAreTestedByContentOnlyWithTheExtensionFlt)
{
    const std::vector<uint8_t> database = FltTestWriter().header(1570).bytes();
    EXPECT_TRUE(accepts("model.FLT", database));
    EXPECT_TRUE(accepts("model.Flt", database));
    EXPECT_FALSE(accepts("model.txt", database));
    EXPECT_FALSE(accepts("model", database));
    EXPECT_FALSE(accepts("model.flt.bak", database));

    SoInput input;
    EXPECT_FALSE(reader.canConvert(&input));  // nothing to read
    EXPECT_FALSE(reader.canConvert(nullptr));
    input.setFileName(dir.file("missing.flt").c_str());
    EXPECT_FALSE(reader.canConvert(&input));
    std::filesystem::create_directory(dir.file("folder.flt"));
    input.setFileName(dir.file("folder.flt").c_str());
    EXPECT_FALSE(reader.canConvert(&input));

    // What the check opens, it closes.
    input.setFileName(dir.write("open.flt", database).c_str());
    const std::size_t before = openFileCount();
    EXPECT_TRUE(reader.canConvert(&input));
    EXPECT_EQ(openFileCount(), before);
}

TEST_F(FltReader, AnOpenFileOfTheInputIsTestedWhateverItsNameAndStaysOpen)
{
    const std::string path = dir.write("notes.txt", FltTestWriter().header(1570).bytes());
    SoInput input;
    ASSERT_TRUE(input.openFile(path.c_str()));
    std::fseek(input.getCurFile(), 100, SEEK_SET);
    EXPECT_TRUE(reader.canConvert(&input));
    EXPECT_EQ(std::ftell(input.getCurFile()), 62);

    const std::string text = dir.write("text.flt", std::vector<uint8_t>(100, 'x'));
    ASSERT_TRUE(input.openFile(text.c_str()));
    EXPECT_FALSE(reader.canConvert(&input));
    EXPECT_EQ(std::fgetc(input.getCurFile()), 'x');
}

TEST_F(FltReader, TheHostReadsADatabaseThroughTheReader)
{
    dir.write("fountain.flt", buildExampleFountain());
    SoInput input;
    ASSERT_TRUE(input.openFile(dir.write("town.flt", buildExampleDatabase()).c_str()));
    SoSeparator* root = nullptr;
    {
        StreamCapture out(std::cout);
        ASSERT_TRUE(SoInputReader::read(&input, root));
    }
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->getRefCount(), 1);  // the Header's hold: the records were walked
    EXPECT_GT(root->getNumChildren(), 1);
    EXPECT_TRUE(fileExists(dir.file("town.flt.log")));
    root->unref();

    SoInput nothing;
    EXPECT_EQ(reader.convert(&nothing), nullptr);
}

TEST(FltPlugin, LoadingRegistersTheReaderAndUnloadingRemovesIt)
{
    SbString error;
    std::unique_ptr<SoPlugin> plugin = SoPlugin::load(FLT_PLUGIN_LIBRARY, error);
    ASSERT_NE(plugin, nullptr) << error.getString();
    const SoType type = SoType::fromName("InputFltReader");
    ASSERT_FALSE(type.isBad());
    EXPECT_TRUE(type.isDerivedFrom(SoInputReader::getClassTypeId()));
    EXPECT_TRUE(type.canCreateInstance());
    plugin.reset();
    EXPECT_TRUE(SoType::fromName("InputFltReader").isBad());
}
