// The host's reader framework: readers asked in turn, and the files an
// input holds.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "TestFiles.h"
#include "Veldra.h"

namespace {

// Accepts the inputs whose name holds the word its type's data picks.
class WordReader : public SoInputReader {
public:
    static constexpr const char* words[] = {"ab", "b"};
    static inline int alive = 0;
    static inline int askedWhileReadingHeader = 0;

    explicit WordReader(SoType type) : type(type) { ++alive; }
    ~WordReader() override { --alive; }
    static void* create(SoType* type) { return static_cast<SoInputReader*>(new WordReader(*type)); }
    SoType getTypeId() const override { return type; }

    bool canConvert(SoInput* input) override
    {
        askedWhileReadingHeader += input->isReadingHeader();
        return input->getFileName().find(words[type.getData()]) >= 0;
    }
    SoSeparator* convert(SoInput*) override
    {
        auto* root = new SoSeparator;
        root->setName(words[type.getData()]);
        return root;
    }

private:
    SoType type;
};

std::string readName(const char* fileName)
{
    SoInput input;
    input.setFileName(fileName);
    SoSeparator* root = nullptr;
    if (!SoInputReader::read(&input, root))
        return "refused";
    root->ref();
    const std::string name = root->getName().getString();
    root->unref();
    return name;
}

} // namespace

TEST(SoInputReader, FirstAcceptingReaderInRegistrationOrderConverts)
{
    SoInputReader::initClass();
    SoType::createType(SoInputReader::getClassTypeId(), "FirstWordReader", &WordReader::create, 0);
    SoType::createType(SoInputReader::getClassTypeId(), "SecondWordReader", &WordReader::create, 1);
    EXPECT_EQ(readName("ab.x"), "ab");
    EXPECT_EQ(readName("b.x"), "b");
    EXPECT_EQ(readName("c.x"), "refused");
    EXPECT_EQ(WordReader::askedWhileReadingHeader, 5);
    EXPECT_EQ(WordReader::alive, 0);
    SoType::removeType("FirstWordReader");
    EXPECT_EQ(readName("ab.x"), "b");
    SoType::removeType("SecondWordReader");
}

TEST(SoInput, ClosesOnlyTheFileItOpened)
{
    ScratchDir dir;
    const std::string path = dir.write("in.dat", {1, 2, 3});
    FILE* borrowed = std::fopen(path.c_str(), "rb");
    ASSERT_NE(borrowed, nullptr);
    {
        SoInput input;
        EXPECT_EQ(input.getCurFileName(), nullptr); // nothing to read yet
        ASSERT_TRUE(input.openFile(path.c_str()));
        input.setFilePointer(borrowed);
        EXPECT_STREQ(input.getCurFileName(), "");
    }
    EXPECT_EQ(std::fgetc(borrowed), 1);
    std::fclose(borrowed);
}

TEST(SbFileHelper, ExtensionIsAfterTheLastDotOfTheLastComponent)
{
    const std::pair<const char*, const char*> cases[] = {
        {"model.FLT", "FLT"}, {"x.tar.flt", "flt"}, {"a.b/model", ""}, {"a.b\\model", ""}, {"model", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(SbFileHelper::getExtension(c.first), c.second) << c.first;
}
