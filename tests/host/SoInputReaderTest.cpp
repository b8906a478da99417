// The host's reader framework: inputs, the readers asked in turn, file
// helpers, and plug-ins that cannot be loaded.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "Veldra.h"

namespace {

// A reader that accepts the inputs whose name holds its word, and notes
// what it saw when asked.
template <int Id>
class WordReader : public SoInputReader {
public:
    static std::string word;
    static std::vector<int> readingHeaderSeen;
    static int alive;
    static SoType type;

    WordReader() { ++alive; }
    ~WordReader() override { --alive; }
    static void* create(SoType*) { return static_cast<SoInputReader*>(new WordReader); }
    SoType getTypeId() const override { return type; }

    bool canConvert(SoInput* input) override
    {
        readingHeaderSeen.push_back(input->isReadingHeader());
        return input->getFileName().find(word.c_str()) >= 0;
    }
    SoSeparator* convert(SoInput*) override
    {
        auto* root = new SoSeparator;
        root->setName(word.c_str());
        return root;
    }
};
template <int Id> std::string WordReader<Id>::word;
template <int Id> std::vector<int> WordReader<Id>::readingHeaderSeen;
template <int Id> int WordReader<Id>::alive = 0;
template <int Id> SoType WordReader<Id>::type;

class ReaderFramework : public ::testing::Test {
protected:
    void SetUp() override
    {
        SoInputReader::initClass();
        First::word = "ab";
        Second::word = "b";
        First::type = SoType::createType(SoInputReader::getClassTypeId(), "FirstWordReader", &First::create);
        Second::type = SoType::createType(SoInputReader::getClassTypeId(), "SecondWordReader", &Second::create);
    }
    void TearDown() override
    {
        SoType::removeType("FirstWordReader");
        SoType::removeType("SecondWordReader");
    }

    using First = WordReader<1>;
    using Second = WordReader<2>;
};

std::string readName(const char* fileName, bool& accepted)
{
    SoInput input;
    input.setFileName(fileName);
    SoSeparator* root = nullptr;
    accepted = SoInputReader::read(&input, root);
    if (!root)
        return "";
    root->ref();
    const std::string name = root->getName().getString();
    root->unref();
    return name;
}

} // namespace

TEST_F(ReaderFramework, FirstAcceptingReaderInRegistrationOrderConverts)
{
    bool accepted = false;
    EXPECT_EQ(readName("ab.x", accepted), "ab");  // both accept: the first registered converts
    EXPECT_TRUE(accepted);
    EXPECT_EQ(readName("b.x", accepted), "b");
    EXPECT_TRUE(accepted);
    EXPECT_EQ(readName("c.x", accepted), "");
    EXPECT_FALSE(accepted);
    // Readers are asked while the input is marked, and released afterwards.
    EXPECT_EQ(First::readingHeaderSeen, std::vector<int>(3, 1));
    EXPECT_EQ(First::alive + Second::alive, 0);

    SoType::removeType("FirstWordReader");
    EXPECT_EQ(readName("ab.x", accepted), "b");
}

TEST(SoInput, HoldsANameAnOwnedFileOrABorrowedOne)
{
    ScratchDir dir;
    const std::string path = dir.write("in.dat", {1, 2, 3});
    SoInput input;
    EXPECT_EQ(input.getCurFileName(), nullptr);
    EXPECT_EQ(input.isReadingHeader(), 0);

    EXPECT_FALSE(input.openFile(dir.file("missing").c_str()));
    EXPECT_EQ(input.getCurFileName(), nullptr);
    ASSERT_TRUE(input.openFile(path.c_str()));
    EXPECT_NE(input.getCurFile(), nullptr);
    EXPECT_EQ(input.getFileName(), path.c_str());

    input.setFileName("named.dat");
    EXPECT_EQ(input.getCurFile(), nullptr);
    EXPECT_STREQ(input.getCurFileName(), "named.dat");

    FILE* borrowed = std::fopen(path.c_str(), "rb");
    ASSERT_NE(borrowed, nullptr);
    {
        SoInput unnamed;
        unnamed.setFilePointer(borrowed);
        EXPECT_STREQ(unnamed.getCurFileName(), "");
        EXPECT_EQ(unnamed.getCurFile(), borrowed);
    }
    EXPECT_EQ(std::fgetc(borrowed), 1);  // still open: the caller's to close
    std::fclose(borrowed);
}

TEST(SbFileHelper, ExtensionIsTheLastDotOfTheLastComponent)
{
    const std::pair<const char*, const char*> cases[] = {
        {"model.FLT", "FLT"}, {"a/b.c/model.flt", "flt"}, {"x.tar.flt", "flt"}, {"a.b/model", ""},
        {"a.b\\model", ""},   {"model", ""},               {"model.", ""},      {"", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(SbFileHelper::getExtension(c.first), c.second) << c.first;
    EXPECT_EQ(SbFileHelper::open("", "rb"), nullptr);
    EXPECT_NE(SbFileHelper::close(nullptr), 0);
}

TEST(SoPlugin, LibrariesThatAreNoPluginsAreRefusedWithTheReason)
{
    ScratchDir dir;
    const std::string text = dir.write("text.so", {'n', 'o'});
    const struct {
        std::string path;
        std::string error;
    } cases[] = {
        {"", "no plug-in file named"},
        {dir.file("missing.so"), "cannot load the plug-in " + dir.file("missing.so") + ": "},
        {text, "cannot load the plug-in " + text + ": "},
        {FLT_HOST_LIBRARY, std::string(FLT_HOST_LIBRARY) + " is not a plug-in: it exports no initPlugin"},
    };
    for (const auto& c : cases) {
        SbString error;
        EXPECT_EQ(SoPlugin::load(c.path.c_str(), error), nullptr);
        EXPECT_EQ(error.toStdString().substr(0, c.error.size()), c.error);
    }
}
