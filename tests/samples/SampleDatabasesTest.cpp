// Real databases from public projects: each must convert, with a full
// transcript and geometry in the scene; the one with meshes, with and
// without the extended record set. Skipped where the shared samples are
// not present.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "FltExtendedRecords.h"
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

namespace {

// Faces of every face set below `root` (each closed by -1).
int countFaces(SoNode* root)
{
    int faces = 0;
    std::vector<SoNode*> pending{root};
    while (!pending.empty()) {
        SoNode* node = pending.back();
        pending.pop_back();
        if (node->isOfType(SoIndexedFaceSet::getClassTypeId())) {
            const SoMFInt32& indices = static_cast<SoIndexedFaceSet*>(node)->coordIndex;
            for (int i = 0; i < indices.getNum(); ++i)
                faces += indices[i] == -1;
        } else if (node->isOfType(SoGroup::getClassTypeId())) {
            SoGroup* group = static_cast<SoGroup*>(node);
            for (int i = 0; i < group->getNumChildren(); ++i)
                pending.push_back(group->getChild(i));
        }
    }
    return faces;
}

} // namespace

// A CDB building of revision 1610: 216 faces and one mesh of two triangle
// fans (five and seven vertices: 3 and 5 triangles) roofing it.
TEST(SampleDatabases, TheCdbBuildingsMeshesComeWithTheExtendedRecordSet)
{
    const std::string samples = samplesDir();
    if (samples.empty())
        GTEST_SKIP() << "no sample databases here";
    ScratchDir dir;
    namespace fs = std::filesystem;
    fs::copy(samples + "/CesiumGS__cdb-to-3dtiles", dir.path(), fs::copy_options::recursive);
    std::string path;
    for (const auto& entry : fs::recursive_directory_iterator(dir.path()))
        if (entry.path().extension() == ".flt")
            path = entry.path().string();
    ASSERT_FALSE(path.empty());

    SbBox3f boxes[2];
    int faces[2] = {};
    for (bool extended : {false, true}) {
        setFltExtendedRecords(extended);
        WarningMark mark;
        StreamCapture out(std::cout);
        StreamCapture err(std::cerr);
        SoSeparator* root = convertFltFile(path.c_str());
        setFltExtendedRecords(false);
        ASSERT_NE(root, nullptr);
        faces[extended] = countFaces(root);
        SoGetBoundingBoxAction bounds{SbViewportRegion()};
        bounds.apply(root);
        boxes[extended] = bounds.getBoundingBox();
        const std::vector<std::string> texts = mark.texts();
        const std::string hint =
            "4 records of this database are read only with the extended record set (opcodes 84, 85, 86)";
        EXPECT_EQ(std::count(texts.begin(), texts.end(), hint), extended ? 0 : 1);
        EXPECT_EQ(getFltExtendedRecordsMissed(), extended ? 0 : 4);
        root->unref();
    }
    EXPECT_EQ(faces[0], 216);
    EXPECT_EQ(faces[1], 216 + 3 + 5);
    // The roof lies within the walls' box, up to its top.
    EXPECT_EQ(boxes[1].getMin(), boxes[0].getMin());
    EXPECT_EQ(boxes[1].getMax(), boxes[0].getMax());
}
