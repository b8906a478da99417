// Round trips through the writer. OpenFlight -> our glTF -> OpenFlight keeps
// a database's box, triangles, names, textures and levels of detail; glTF ->
// OpenFlight -> our glTF keeps a model's box (turned Z-up and back) and its
// triangles. Test databases and models first, then the shared samples.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "FltFromGltf.h"
#include "FltTestWriter.h"
#include "GltfModelBuilder.h"
#include "GltfTestSupport.h"
#include "SceneSummary.h"
#include "TestFiles.h"
#include "Veldra.h"
#include "convertFltFile.h"

namespace fs = std::filesystem;

namespace {

// A 1 x 1 PNG image.
const std::vector<uint8_t> onePixelPng = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00,
    0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0x1F, 0x15, 0xC4, 0x89, 0x00, 0x00, 0x00,
    0x0D, 0x49, 0x44, 0x41, 0x54, 0x78, 0xDA, 0x63, 0x64, 0x60, 0xF8, 0x5F, 0x0F, 0x00, 0x02, 0x87, 0x01, 0x80,
    0xEB, 0x47, 0xBA, 0x92, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

// A converted database and its export: what a round trip must keep.
struct Converted {
    SoSeparator* root = nullptr;
    SceneSummary summary;
    tinygltf::Model exported;

    Converted(const std::string& flt, const std::string& glb) {
        StreamCapture out(std::cout);
        StreamCapture err(std::cerr);
        root = convertFltFile(flt.c_str());
        summary = summarizeScene(root);
        exported = exportAndLoad(root, glb, fs::path(flt).parent_path().string());
    }
    ~Converted() {
        if (root) root->unref();
    }
    int64_t nodes(const char* type) const {
        const auto found = summary.nodesByType.find(type);
        return found == summary.nodesByType.end() ? 0 : found->second;
    }
};

std::string writeFltQuietly(const std::string& input, const std::string& output) {
    StreamCapture err(std::cerr);
    std::string error;
    return writeFlt(input, output, FltWriteOptions(), error) ? "" : error;
}

// Triangles the default scene draws, each mesh counted where it is placed.
int64_t drawnTriangles(const tinygltf::Model& model) {
    int64_t triangles = 0;
    std::vector<int> pending = model.scenes.empty() ? std::vector<int>() : model.scenes[0].nodes;
    while (!pending.empty()) {
        const tinygltf::Node& node = model.nodes[pending.back()];
        pending.pop_back();
        pending.insert(pending.end(), node.children.begin(), node.children.end());
        if (node.mesh < 0) continue;
        for (const tinygltf::Primitive& primitive : model.meshes[node.mesh].primitives) {
            const int accessor = primitive.indices >= 0 ? primitive.indices : primitive.attributes.at("POSITION");
            const int64_t count = static_cast<int64_t>(model.accessors[accessor].count);
            if (primitive.mode == TINYGLTF_MODE_TRIANGLES) triangles += count / 3;
            if (primitive.mode == TINYGLTF_MODE_TRIANGLE_STRIP || primitive.mode == TINYGLTF_MODE_TRIANGLE_FAN)
                triangles += std::max<int64_t>(count - 2, 0);
        }
    }
    return triangles;
}

// Levels of detail in MSFT_lod sets: what a glTF file can carry of them.
std::size_t levelsInSets(const tinygltf::Model& model) {
    std::size_t levels = 0;
    for (const tinygltf::Node& node : model.nodes) {
        const auto lod = node.extensions.find("MSFT_lod");
        if (lod != node.extensions.end()) levels += 1 + lod->second.Get("ids").ArrayLen();
    }
    return levels;
}

void expectDatabaseKept(const std::string& flt, const std::string& work) {
    const std::string name = fs::path(flt).stem().string();
    const Converted original(flt, work + "/" + name + ".glb");
    ASSERT_TRUE(original.root);
    ASSERT_EQ(writeFltQuietly(work + "/" + name + ".glb", work + "/" + name + "-back.flt"), "");
    const Converted back(work + "/" + name + "-back.flt", work + "/" + name + "-back.glb");
    ASSERT_TRUE(back.root);
    EXPECT_TRUE(sameBox(sceneBounds(back.root), sceneBounds(original.root)));
    EXPECT_EQ(drawnTriangles(back.exported), drawnTriangles(original.exported));
    EXPECT_EQ(back.exported.textures.size(), original.exported.textures.size());
    EXPECT_EQ(levelsInSets(back.exported), levelsInSets(original.exported));
    // Every node that holds something keeps its name; an empty one (an
    // external reference whose file is not there) has nothing to write.
    const std::vector<std::string> names = nodeNames(back.exported);
    for (const tinygltf::Node& node : original.exported.nodes) {
        if (!node.name.empty() && (node.mesh >= 0 || !node.children.empty())) {
            EXPECT_NE(std::find(names.begin(), names.end(), node.name), names.end()) << node.name;
        }
    }
}

void expectModelKept(const std::string& gltf, const std::string& work) {
    tinygltf::Model model;
    tinygltf::TinyGLTF loader;
    std::string error, warning;
    const bool binary = fs::path(gltf).extension() == ".glb";
    ASSERT_TRUE(binary ? loader.LoadBinaryFromFile(&model, &error, &warning, gltf)
                       : loader.LoadASCIIFromFile(&model, &error, &warning, gltf)) << error;
    const std::string flt = work + "/" + fs::path(gltf).stem().string() + ".flt";
    ASSERT_EQ(writeFltQuietly(gltf, flt), "");
    const Converted back(flt, flt + ".glb");
    ASSERT_TRUE(back.root);
    EXPECT_TRUE(sameBox(drawnBounds(back.exported), drawnBounds(model)));
    EXPECT_EQ(drawnTriangles(back.exported), drawnTriangles(model));
}

}  // namespace

TEST(RoundTrip, ADatabaseThroughGltfKeepsItsBoxTrianglesNamesTexturesAndLevels)
{
    ScratchDir dir;
    writeBinaryFile(dir.file("tile.png"), onePixelPng);
    FltTestWriter w;
    w.header(1570).material(0, "paint", {0.2f, 0.2f, 0.2f}, {0.8f, 0.4f, 0.2f}).texturePattern("tile.png", 0);
    w.vertexPalette();
    for (double z : {0.0, 1.0, 2.0})
        for (const auto& corner : {std::array<double, 2>{0, 0}, {4, 0}, {4, 3}})
            w.vertexColorNormalUv(corner[0], corner[1], z, {0, 0, 1}, {float(corner[0] / 4), float(corner[1] / 3)});
    const auto triangle = [&w](const std::string& object, int first) {
        w.object(object).pushLevel().face("f", FltFaceStyle().material(0).texture(0)).pushLevel();
        w.vertexList({w.vertexOffset(first), w.vertexOffset(first + 1), w.vertexOffset(first + 2)});
        w.popLevel().popLevel();
    };
    w.pushLevel().group("g1").longId("a group named at length").pushLevel();
    triangle("ground", 0);
    w.lod("near", 100, 0, {2, 1, 1}).pushLevel();
    triangle("fine", 3);
    w.popLevel().lod("far", 1000, 100, {2, 1, 1}).pushLevel();
    triangle("coarse", 6);
    w.popLevel().popLevel().popLevel();
    const std::string flt = dir.write("levels.flt", w.bytes());

    expectDatabaseKept(flt, dir.path());
    SoSeparator* back = nullptr;
    {
        StreamCapture out(std::cout);
        back = convertFltFile(dir.file("levels-back.flt").c_str());
    }
    EXPECT_EQ(summarizeScene(back).nodesByType["SoLOD"], 2);
    back->unref();
    EXPECT_TRUE(fileExists(dir.file("levels-back_tile.png")));
    EXPECT_TRUE(fileExists(dir.file("levels-back_tile.png.attr")));
}

TEST(RoundTrip, AModelThroughOpenFlightKeepsItsBoxAndTriangles)
{
    ScratchDir dir;
    GltfModelBuilder b;
    const int quad = b.mesh("quad", b.floats(quadPositions(), TINYGLTF_TYPE_VEC3), b.indices({0, 1, 2, 3, 4, 5}));
    const int strip = b.mesh("strip", b.floats({0, 0, 0, 1, 0, 0, 0, 1, 1, 1, 1, 1}, TINYGLTF_TYPE_VEC3),
                             b.indices({0, 1, 2, 3}), TINYGLTF_MODE_TRIANGLE_STRIP);
    // x to y, y to z, z to x, then moved; the quad stretched along x.
    const int child = b.node("a strip turned and raised", strip);
    b.model.nodes[child].matrix = {0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 3, 4, 5, 1};
    const int root = b.node("quad", quad, {child});
    b.model.nodes[root].matrix = {2, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    // The quad placed a second time, below the first.
    const int again = b.node("the quad again", quad);
    b.model.nodes[again].matrix = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, -3, 0, 1};
    b.scene({root, again});
    const std::vector<unsigned char> glb = b.glb();
    expectModelKept(dir.write("model.glb", glb), dir.path());
}

TEST(RoundTrip, EverySampleKeepsItsBoxAndTriangles)
{
    const std::string samples = samplesDir();
    if (samples.empty())
        GTEST_SKIP() << "no sample databases here";
    ScratchDir dir;
    int databases = 0, models = 0;
    for (const auto& entry : fs::recursive_directory_iterator(samples)) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".flt" && extension != ".glb" && extension != ".gltf")
            continue;
        SCOPED_TRACE(entry.path().string());
        // Beside its textures and the files it references.
        const fs::path work = fs::path(dir.path()) / std::to_string(databases + models);
        fs::copy(entry.path().parent_path(), work, fs::copy_options::recursive);
        const std::string copy = (work / entry.path().filename()).string();
        if (extension == ".flt") {
            expectDatabaseKept(copy, work.string());
            ++databases;
        } else {
            expectModelKept(copy, work.string());
            ++models;
        }
    }
    EXPECT_GT(databases, 0);
    EXPECT_GT(models, 0);
}
