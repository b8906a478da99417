// Converted databases exported to glTF: the README's example and, where the
// shared samples are present, every sample. Each file must pass the Khronos
// validator (when installed) and draw exactly the box the scene has.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include "GltfTestSupport.h"
#include "TestFiles.h"
#include "Veldra.h"
#include "convertFltFile.h"

namespace fs = std::filesystem;

namespace {

// Converts a copy's database (logs land beside it) and exports it beside it.
tinygltf::Model convertAndExport(const std::string& flt, SoSeparator*& root)
{
    StreamCapture out(std::cout);
    StreamCapture err(std::cerr);
    root = convertFltFile(flt.c_str());
    return exportAndLoad(root, flt + ".glb", fs::path(flt).parent_path().string());
}

// Valid without a warning. The validator counts the draw calls of each mesh
// once, however often it is placed: at most the calls counted per placement.
void expectValid(const std::vector<std::string>& files, const std::vector<int>& drawCalls)
{
    const std::vector<ValidatorReport> reports = validatorReports(files);
    if (::testing::Test::IsSkipped())
        return;
    ASSERT_EQ(reports.size(), files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(reports[i].errors, 0) << files[i];
        EXPECT_EQ(reports[i].warnings, 0) << files[i];
        EXPECT_GT(reports[i].drawCalls, 0) << files[i];
        EXPECT_LE(reports[i].drawCalls, drawCalls[i]) << files[i];
    }
}

// The box drawn, turned Y-up, is the scene's; with levels of detail the
// coarser ones are not drawn, and it lies inside.
void expectDrawsTheScenesBox(const tinygltf::Model& model, SoNode* root)
{
    const SbBox3f upright = turnedYUp(sceneBounds(root));
    const auto& used = model.extensionsUsed;
    if (std::find(used.begin(), used.end(), "MSFT_lod") != used.end())
        EXPECT_TRUE(boxInside(drawnBounds(model), upright));
    else
        EXPECT_TRUE(sameBox(drawnBounds(model), upright));
}

} // namespace

TEST(GltfDatabases, TheExampleKeepsItsNamesAndSharesItsBench)
{
    ScratchDir dir;
    fs::copy(fs::path(FLT_EXAMPLE_FILE).parent_path(), dir.path(), fs::copy_options::recursive);
    const std::string flt = dir.file("example.flt");
    SoSeparator* root = nullptr;
    const tinygltf::Model model = convertAndExport(flt, root);
    ASSERT_NE(root, nullptr);
    expectDrawsTheScenesBox(model, root);

    const std::vector<std::string> names = nodeNames(model);
    for (const char* name : {"town", "ground", "houseLOD", "lampA", "lampB", "fountain", "basin", "water"})
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
    // The instance definition and its two references: three nodes, one mesh.
    std::set<int> benchMeshes;
    int benches = 0;
    for (const tinygltf::Node& node : model.nodes) {
        if (node.name != "bench")
            continue;
        ++benches;
        for (int child : node.children)
            benchMeshes.insert(model.nodes[child].mesh);
    }
    EXPECT_EQ(benches, 3);
    EXPECT_EQ(benchMeshes.size(), 1u);
    expectValid({flt + ".glb"}, {drawCalls(model)});
    root->unref();
}

TEST(GltfDatabases, EverySampleIsValidAndDrawsTheScenesBox)
{
    const std::string samples = samplesDir();
    if (samples.empty())
        GTEST_SKIP() << "no sample databases here";
    ScratchDir dir;
    fs::copy(samples, dir.path(), fs::copy_options::recursive);
    std::vector<std::string> exported;
    std::vector<int> calls;
    for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
        if (entry.path().extension() != ".flt")
            continue;
        const std::string flt = entry.path().string();
        SCOPED_TRACE(flt);
        SoSeparator* root = nullptr;
        const tinygltf::Model model = convertAndExport(flt, root);
        ASSERT_NE(root, nullptr);
        EXPECT_FALSE(model.meshes.empty());
        expectDrawsTheScenesBox(model, root);
        // Faces merge by appearance: each face set placed draws a few times at most.
        EXPECT_LE(drawCalls(model), 3 * meshPlacements(model));
        if (entry.path().filename() == "ddg-51.flt") {
            EXPECT_LT(drawCalls(model), 120);
            // The radome's lattice and the rigging: its two-vertex and one-vertex faces.
            std::map<int, std::size_t> indicesByMode;
            for (const tinygltf::Mesh& mesh : model.meshes)
                for (const tinygltf::Primitive& primitive : mesh.primitives)
                    indicesByMode[primitive.mode] += model.accessors[primitive.indices].count;
            EXPECT_EQ(indicesByMode[TINYGLTF_MODE_LINE], 2u * 1150);
            EXPECT_EQ(indicesByMode[TINYGLTF_MODE_POINTS], 77u);
        }
        exported.push_back(flt + ".glb");
        calls.push_back(drawCalls(model));
        root->unref();
    }
    EXPECT_FALSE(exported.empty());
    expectValid(exported, calls);
}
