// One conversion from file name to root: the log, the refusals, the root's
// references and its set-up, and standard output given back afterwards.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "FltDumpStage.h"
#include "FltToVeldra.h"
#include "FltTestWriter.h"
#include "TestFiles.h"
#include "Veldra.h"
#include "convertFltFile.h"

namespace {

struct Conversion {
    SoSeparator* root = nullptr;
    bool converted = false;
    std::string log;
    std::vector<std::string> warnings;
    std::string standardOutput;

    ~Conversion()
    {
        if (root) {
            if (root->getRefCount() == 0)
                root->ref();
            root->unref();
        }
    }
};

void convert(const std::string& path, Conversion& result)
{
    WarningMark mark;
    StreamCapture err(std::cerr);
    {
        StreamCapture out(std::cout);
        result.root = convertFltFile(path.c_str(), result.converted);
        // Written after the conversion: must reach the caller's stream, not the log.
        std::cout << "after";
        result.standardOutput = out.text();
    }
    result.log = readTextFile(path + ".log");
    result.warnings = mark.texts();
}

std::vector<std::string> childTypes(SoGroup* group)
{
    std::vector<std::string> types;
    for (int i = 0; i < group->getNumChildren(); ++i)
        types.push_back(group->getChild(i)->getTypeId().getName().getString());
    return types;
}

} // namespace

TEST(Conversion, AHeaderOnlyFileGivesAReferencedRootAndAFullLog)
{
    ScratchDir dir;
    const std::string path = dir.write("only.flt", FltTestWriter().header(1570).bytes());
    Conversion c;
    convert(path, c);
    ASSERT_NE(c.root, nullptr);
    EXPECT_TRUE(c.converted);
    EXPECT_EQ(c.root->getRefCount(), 1);
    EXPECT_STREQ(c.root->getName().getString(), "root");
    EXPECT_EQ(childTypes(c.root), (std::vector<std::string>{"SoShapeHints", "SoTextureCoordinateBinding",
                                                             "SoNormalBinding"}));
    EXPECT_EQ(c.log.find("beginning of parsing\n\n HEADER RECORD \n"), 0u);
    EXPECT_NE(c.log.find("OpenFlight file version: 1570\nRGB mode: false\nend of parsing\n"),
              std::string::npos);
    EXPECT_EQ(c.standardOutput, "\nSuccess in opening file: " + path + "\nafter");
    EXPECT_TRUE(c.warnings.empty());
}

TEST(Conversion, UnitsScaleTheWholeScene)
{
    struct Case {
        int32_t revision;
        uint8_t units;
        int16_t multiplier;
        float scale; // 0: no scale node
    };
    const std::vector<Case> cases = {
        {1570, 4, 1, 0.3048f}, {1570, 0, 1, 0}, {1570, 1, 1, 1000.0f}, {1570, 5, 1, 0.0254f},
        {1570, 8, 1, 1852.0f}, {12, 0, -4, 0.25f}, {12, 1, 2, 2000.0f}, {13, 0, -4, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.revision << " units " << int(c.units));
        ScratchDir dir;
        Conversion result;
        convert(dir.write("u.flt", FltTestWriter().header(c.revision, 0, c.units, c.multiplier).bytes()),
                result);
        ASSERT_TRUE(result.converted);
        SoNode* first = result.root->getChild(0);
        if (c.scale == 0) {
            EXPECT_FALSE(first->isOfType(SoScale::getClassTypeId()));
            continue;
        }
        ASSERT_TRUE(first->isOfType(SoScale::getClassTypeId()));
        EXPECT_EQ(static_cast<SoScale*>(first)->scaleFactor.getValue(), SbVec3f(c.scale, c.scale, c.scale));
    }
}

TEST(Conversion, RefusedInputsGiveAnEmptyUnreferencedRoot)
{
    ScratchDir dir;
    struct Case {
        std::string path;
        const char* warning;
    };
    const std::vector<Case> cases = {
        {dir.file("missing.flt"), "ERROR ! FltParser has no INPUT !"},
        {dir.write("empty.flt", {}), "ERROR! Not an Openflight Input !"},
        {dir.write("group.flt", FltTestWriter().group("g").bytes()), "ERROR! Not an Openflight Input !"},
        {dir.write("old.flt", FltTestWriter().header(10).group("g").bytes()),
         "ERROR ! Openflight Format Revision not supported !"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        Conversion result;
        convert(c.path, result);
        ASSERT_NE(result.root, nullptr);
        EXPECT_FALSE(result.converted);
        EXPECT_EQ(result.root->getRefCount(), 0);
        EXPECT_EQ(result.root->getNumChildren(), 0);
        EXPECT_EQ(result.warnings, std::vector<std::string>{c.warning});
        EXPECT_TRUE(fileExists(c.path + ".log"));
    }
    // Revision 10 is parsed and dumped, only not walked; 11 is accepted.
    Conversion old;
    convert(dir.file("old.flt"), old);
    EXPECT_NE(old.log.find("\n GROUP RECORD \n"), std::string::npos);
    Conversion eleven;
    convert(dir.write("eleven.flt", FltTestWriter().header(11).bytes()), eleven);
    EXPECT_TRUE(eleven.converted);

    EXPECT_EQ(convertFltFile(""), nullptr);
    EXPECT_EQ(convertFltFile(nullptr), nullptr);
    EXPECT_FALSE(fileExists(".log"));
}

TEST(Conversion, AnUncreatableLogDropsTheTranscriptButNotTheScene)
{
    // Dumped as the records come, and through the dump threads with more
    // than a block of transcript.
    for (const bool threaded : {false, true}) {
        ScratchDir dir;
        FltTestWriter w;
        w.header(1570);
        if (threaded) {
            w.vertexPalette();
            for (int i = 0; i < 4000; ++i)
                w.vertexColorNormalUv(i, 0, 0, {0, 0, 1}, {0, 0});
        }
        const std::string path = dir.write("db.flt", w.bytes());
        FltDumpStage::setBackgroundSize(threaded ? 0 : uint64_t(1) << 20);
        // A directory where the log should go cannot be opened as a file, even by root.
        ASSERT_EQ(mkdir((path + ".log").c_str(), 0755), 0);
        Conversion c;
        WarningMark mark;
        StreamCapture err(std::cerr);
        {
            StreamCapture out(std::cout);
            c.root = convertFltFile(path.c_str(), c.converted);
            std::cout << "after";
            EXPECT_EQ(out.text(), "\nSuccess in opening file: " + path + "\nafter");
        }
        EXPECT_TRUE(c.converted);
        EXPECT_EQ(c.root->getRefCount(), 1);
        EXPECT_EQ(mark.texts(), std::vector<std::string>{"WARNING ! cannot create the log file " + path +
                                                         ".log, the transcript is dropped"});
    }
    FltDumpStage::setBackgroundSize(uint64_t(1) << 20);
}

TEST(Converter, StartsWithItsTablesAndReleasesEverythingItMade)
{
    FltToVeldra converter;
    EXPECT_EQ(converter.vertexPaletteOffset, 8u);
    const char* names[] = {"vertexColorProperty", "vertexColorNormalProperty", "vertexColorUVProperty",
                           "vertexColorNormalUVProperty"};
    for (int kind = 0; kind < FltToVeldra::vertexKindCount; ++kind) {
        SoVertexProperty* node = converter.vertexPropertyNodes[kind].get();
        EXPECT_STREQ(node->getName().getString(), names[kind]);
        EXPECT_EQ(converter.vertexCounts[kind], 0);
        // Room for vertices is made once the input's size is known.
        EXPECT_EQ(converter.vertexCapacities[kind], 0);
        EXPECT_EQ(node->vertex.getNum(), 0);
        EXPECT_EQ(node->getRefCount(), 1);
    }
    EXPECT_EQ(converter.minRangeLimitLabel->label.getValue(), SbName("MinRangeLimitForLOD"));
    EXPECT_EQ(converter.maxRangeLimitLabel->label.getValue(), SbName("MaxRangeLimitForLOD"));

    // A texture that reached a scene survives the converter; one that did not is released.
    SoTexture2* kept = new SoTexture2;
    SoTexture2* dropped = new SoTexture2;
    SoSeparator* scene = new SoSeparator;
    scene->ref();
    scene->addChild(kept);
    {
        FltToVeldra owner;
        owner.textures[1] = SoRef<SoTexture2>(kept);
        owner.textures[2] = SoRef<SoTexture2>(dropped);
    }
    EXPECT_EQ(kept->getRefCount(), 1);
    scene->unref();
}
