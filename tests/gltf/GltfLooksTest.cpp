// Databases the test writer makes, converted and exported: what each
// primitive shows (its colour made linear, its opacity, its mode and count),
// which level of detail is drawn, where textures are found and what nodes
// are called.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>

#include "../converter/ConvertedDatabase.h"
#include "ColorSpace.h"
#include "GltfExport.h"
#include "GltfTestSupport.h"
#include "TextureResolver.h"

namespace {

// A database with one material (black, or as given) whose objects the
// callback writes between the hierarchy's levels; the vertex palette holds
// the points given, each with a white packed colour.
FltTestWriter database(const std::vector<FltTestWriter::Point>& points,
                       const std::function<void(FltTestWriter&)>& objects,
                       const FltTestWriter::Vec3& diffuse = {0, 0, 0})
{
    FltTestWriter w;
    w.header(1570).colorPalette({0xFF80E4A8}).material(0, "dark", diffuse, diffuse);
    w.vertexPalette();
    for (const auto& p : points)
        w.vertexColor(p[0], p[1], p[2]);
    w.pushLevel().group("g").pushLevel();
    objects(w);
    w.popLevel().popLevel();
    return w;
}

// A face with its vertex list, by vertex number.
void face(FltTestWriter& w, const std::string& id, const FltFaceStyle& style, const std::vector<int>& vertices)
{
    std::vector<int32_t> offsets;
    for (int v : vertices)
        offsets.push_back(w.vertexOffset(static_cast<std::size_t>(v)));
    w.face(id, style).pushLevel().vertexList(offsets).popLevel();
}

const std::vector<FltTestWriter::Point> square = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};

struct Exported {
    tinygltf::Model model;
    std::vector<std::string> warnings;
};

Exported exportDatabase(FltTestWriter& w, const ScratchDir& dir, const std::string& name = "looks.glb")
{
    ConvertedDatabase db(w);
    Exported out;
    WarningMark mark;
    StreamCapture err(std::cerr);
    out.model = exportAndLoad(db.root, dir.file(name));
    out.warnings = mark.texts();
    for (const ValidatorReport& report : validatorReports({dir.file(name)})) {
        EXPECT_EQ(report.errors, 0) << name;
        EXPECT_EQ(report.warnings, 0) << name;
    }
    return out;
}

std::vector<const tinygltf::Primitive*> primitivesOf(const tinygltf::Model& model)
{
    std::vector<const tinygltf::Primitive*> all;
    for (const tinygltf::Mesh& mesh : model.meshes)
        for (const tinygltf::Primitive& primitive : mesh.primitives)
            all.push_back(&primitive);
    return all;
}

// Names of the nodes the default scene holds (levels listed by MSFT_lod are outside it).
std::vector<std::string> drawnNodeNames(const tinygltf::Model& model)
{
    std::vector<std::string> names;
    std::vector<int> pending = model.scenes.at(0).nodes;
    while (!pending.empty()) {
        const tinygltf::Node& node = model.nodes.at(pending.back());
        pending.pop_back();
        names.push_back(node.name);
        pending.insert(pending.end(), node.children.begin(), node.children.end());
    }
    return names;
}

void expectBaseColor(const tinygltf::Model& model, const tinygltf::Primitive& primitive,
                     const std::vector<double>& expected)
{
    const std::vector<double>& actual = model.materials[primitive.material].pbrMetallicRoughness.baseColorFactor;
    ASSERT_EQ(actual.size(), 4u);
    for (std::size_t c = 0; c < expected.size(); ++c)
        EXPECT_NEAR(actual[c], expected[c], 1e-3) << "channel " << c;
}

} // namespace

TEST(GltfLooks, ColorsAreWrittenLinearAndUnlitFacesShowTheirOwnColor)
{
    for (float x : {0.0f, 0.02f, 0.5f, 1.0f})  // both curve pieces, and back
        EXPECT_NEAR(color_space::linearToSrgb(color_space::srgbToLinear(x)), x, 1e-5);
    EXPECT_EQ(color_space::srgbToLinear(std::nanf("")), 0.0f);

    ScratchDir dir;
    FltTestWriter w = database(square, [](FltTestWriter& w) {
        w.object("o").pushLevel();
        // Palette entry 0 at full intensity, lit: the colour (168, 228, 128).
        face(w, "lit", FltFaceStyle().colorIndex(127).light(2), {0, 1, 2});
        // White and unlit over a black material: white.
        face(w, "unlit", FltFaceStyle().material(0).withFlags(FltFaceStyle::packedColor), {0, 2, 3});
        w.popLevel();
    });
    const Exported out = exportDatabase(w, dir);
    const auto primitives = primitivesOf(out.model);
    ASSERT_EQ(primitives.size(), 2u);
    for (const tinygltf::Primitive* primitive : primitives) {
        const bool unlit = out.model.materials[primitive->material].extensions.count("KHR_materials_unlit") > 0;
        expectBaseColor(out.model, *primitive, unlit ? std::vector<double>{1, 1, 1, 1}
                                                     : std::vector<double>{0.3916, 0.7758, 0.2159, 1});
    }
}

TEST(GltfLooks, OpacityCombinesFaceObjectAndMaterial)
{
    ScratchDir dir;
    FltTestWriter w = database(square, [](FltTestWriter& w) {
        w.object("disc", 32896).pushLevel();
        face(w, "half", FltFaceStyle().packed(0xFF0000FF).withFlags(FltFaceStyle::packedColor), {0, 1, 2});
        w.popLevel();
        w.object("floor").pushLevel();
        face(w, "opaque", FltFaceStyle().packed(0xFF0000FF).withFlags(FltFaceStyle::packedColor), {0, 1, 2});
        w.popLevel();
        // Clear at both extremes: still a valid primitive.
        w.object("ghost", 65535).pushLevel();
        face(w, "clear", FltFaceStyle().transparent(65535).packed(0xFF00FF00).withFlags(FltFaceStyle::packedColor),
             {0, 2, 3});
        w.popLevel();
    }, {1, 1, 1});
    const Exported out = exportDatabase(w, dir);
    ASSERT_EQ(out.model.meshes.size(), 3u);
    std::vector<double> alphas;
    for (const tinygltf::Mesh& mesh : out.model.meshes) {
        const tinygltf::Material& material = out.model.materials[mesh.primitives[0].material];
        alphas.push_back(material.pbrMetallicRoughness.baseColorFactor[3]);
        EXPECT_EQ(material.alphaMode, alphas.back() < 1 ? "BLEND" : "OPAQUE");
    }
    EXPECT_NEAR(alphas[0], 1.0 - 32896.0 / 65535.0, 1e-4);
    EXPECT_EQ(alphas[1], 1.0);
    EXPECT_EQ(alphas[2], 0.0);
}

TEST(GltfLooks, LinesPointsAndOutlinesAreDrawnAndOnlyFlatPolygonsLeftOut)
{
    const std::vector<FltTestWriter::Point> points = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 0}, {2, 0, 0}};
    ScratchDir dir;
    FltTestWriter w = database(points, [](FltTestWriter& w) {
        w.object("marks").pushLevel();
        face(w, "line", FltFaceStyle(), {0, 1});
        face(w, "point", FltFaceStyle(), {2});
        face(w, "same twice", FltFaceStyle(), {0, 4});  // a line whose ends meet: a point
        face(w, "flat", FltFaceStyle(), {0, 1, 5});      // no area: left out
        w.popLevel();
        w.object("loop").pushLevel();
        face(w, "closed", FltFaceStyle().draw(2), {0, 1, 2, 3});
        w.popLevel();
        w.object("strip").pushLevel();
        face(w, "open", FltFaceStyle().draw(3), {0, 1, 2, 3});
        w.popLevel();
    });
    const Exported out = exportDatabase(w, dir);
    std::map<int, std::vector<std::size_t>> countsByMode;
    for (const tinygltf::Primitive* primitive : primitivesOf(out.model))
        countsByMode[primitive->mode].push_back(out.model.accessors[primitive->indices].count);
    EXPECT_EQ(countsByMode[TINYGLTF_MODE_LINE], std::vector<std::size_t>{2});
    EXPECT_EQ(countsByMode[TINYGLTF_MODE_POINTS], std::vector<std::size_t>{2});
    EXPECT_EQ(countsByMode[TINYGLTF_MODE_LINE_LOOP], std::vector<std::size_t>{4});
    EXPECT_EQ(countsByMode[TINYGLTF_MODE_LINE_STRIP], std::vector<std::size_t>{4});
    EXPECT_EQ(countsByMode.count(TINYGLTF_MODE_TRIANGLES), 0u);
    EXPECT_EQ(out.warnings, std::vector<std::string>{"glTF export: 1 polygons with no area left out"});
}

namespace {

// Two levels of one range in one place, the second richer; then what else the group holds.
void tiedLevels(FltTestWriter& w, const std::string& prefix, double switchIn)
{
    w.lod(prefix + "coarse", switchIn, 0).pushLevel().object("c").pushLevel();
    face(w, "deck", FltFaceStyle(), {0, 1, 2, 3});
    w.popLevel().popLevel();
    w.lod(prefix + "fine", switchIn, 0).pushLevel().object("f").pushLevel();
    face(w, "left", FltFaceStyle(), {0, 1, 2});
    face(w, "right", FltFaceStyle(), {0, 2, 3});
    w.popLevel().popLevel();
}

// The levels MSFT_lod lists on the first node of that name.
std::vector<std::string> alternativesOf(const tinygltf::Model& model, const std::string& name)
{
    std::vector<std::string> names;
    for (const tinygltf::Node& node : model.nodes) {
        if (node.name != name)
            continue;
        const auto lod = node.extensions.find("MSFT_lod");
        if (lod != node.extensions.end())
            for (std::size_t i = 0; i < lod->second.Get("ids").ArrayLen(); ++i)
                names.push_back(model.nodes.at(lod->second.Get("ids").Get(int(i)).GetNumberAsInt()).name);
        break;
    }
    return names;
}

} // namespace

TEST(GltfLooks, SiblingLevelsOfOneRangeAreOneSetDrawingTheRichest)
{
    ScratchDir dir;
    FltTestWriter w = database(square, [](FltTestWriter& w) {
        // Ranges that choose nothing, and a level that holds nothing.
        w.group("bridge").pushLevel();
        tiedLevels(w, "", 0);
        w.lod("empty", 0, 0).pushLevel().popLevel();
        w.popLevel();
        // A tie within a chain of levels: the far one is the coarser level of both.
        w.group("tower").pushLevel();
        tiedLevels(w, "t", 100);
        w.lod("far", 1000, 100).pushLevel().object("a").pushLevel();
        face(w, "top", FltFaceStyle(), {0, 1, 2});
        w.popLevel().popLevel().popLevel();
    });
    const Exported out = exportDatabase(w, dir);
    const std::vector<std::string> drawn = drawnNodeNames(out.model);
    for (const char* name : {"fine", "tfine", "empty"})
        EXPECT_NE(std::find(drawn.begin(), drawn.end(), name), drawn.end()) << name;
    for (const char* name : {"coarse", "tcoarse", "far"})
        EXPECT_EQ(std::find(drawn.begin(), drawn.end(), name), drawn.end()) << name;
    EXPECT_EQ(alternativesOf(out.model, "fine"), std::vector<std::string>{"coarse"});
    EXPECT_EQ(alternativesOf(out.model, "tfine"), (std::vector<std::string>{"tcoarse", "far"}));
    ASSERT_EQ(out.warnings.size(), 1u);
    EXPECT_NE(out.warnings[0].find("2 sets of levels of detail share their ranges"), std::string::npos)
        << out.warnings[0];
}

TEST(GltfLooks, TexturesAreFoundAnywhereBelowASearchFolderOnce)
{
    namespace fs = std::filesystem;
    ScratchDir dir;
    fs::create_directories(dir.file("tree/a/b"));
    fs::create_directories(dir.file("tree/c/d/e"));
    dir.write("tree/a/b/Deck.RGB", {1});     // not an image: found, then warned about
    dir.write("tree/c/d/e/deck.rgb", {2});  // deeper: the nearer one wins
    dir.write("tree/rail.rgb", {3});
    fs::create_directory_symlink(dir.file("tree"), dir.file("tree/a/up"));  // a way round and round

    TextureResolver resolver(dir.file("db"), {dir.file("nowhere"), dir.file("tree")});
    EXPECT_EQ(resolver.resolve("C:\\CDB\\textures\\deck.rgb"), fs::path(dir.file("tree/a/b/Deck.RGB")));
    EXPECT_EQ(resolver.resolve("rail.rgb"), fs::path(dir.file("tree/rail.rgb")));
    EXPECT_EQ(resolver.resolve("gone.rgb"), fs::path());
    // Files added after the tree was indexed are not seen: it is read once.
    dir.write("tree/late.rgb", {4});
    EXPECT_EQ(resolver.resolve("late.rgb"), fs::path());

    // A database's texture, two folders below the one search path given.
    FltTestWriter w;
    w.header(1570).texturePattern("D:/cdb/512/deck.rgb", 1).vertexPalette();
    for (const auto& p : square)
        w.vertexColorUv(p[0], p[1], p[2], {float(p[0]), float(p[1])});
    w.pushLevel().object("o").pushLevel();
    face(w, "f", FltFaceStyle().texture(1), {0, 1, 2});
    w.popLevel().popLevel();
    ConvertedDatabase db(w);
    std::vector<std::string> missing;
    std::string error;
    WarningMark mark;
    StreamCapture err(std::cerr);
    ASSERT_TRUE(exportGltf(db.root, dir.file("deck.glb"), {db.ownDir.path(), {dir.file("tree")}}, missing, error));
    EXPECT_TRUE(missing.empty());
}

TEST(GltfLooks, TheSceneAndItsReferencesAreNamedAfterTheirFiles)
{
    ScratchDir dir;
    FltTestWriter part = database(square, [](FltTestWriter& w) {
        w.object("p").pushLevel();
        face(w, "f", FltFaceStyle(), {0, 1, 2});
        w.popLevel();
    });
    dir.write("parts/wheel.flt", part.bytes());
    FltTestWriter main;
    main.header(1570).pushLevel().group("g").pushLevel().externalReference("parts/wheel.flt").popLevel().popLevel();
    dir.write("car.flt", main.bytes());

    ConvertedDatabase db(dir, "car.flt");
    std::vector<std::string> missing;
    std::string error;
    ASSERT_TRUE(exportGltf(db.root, dir.file("car.glb"), {dir.path(), {}, "car.flt"}, missing, error)) << error;
    tinygltf::Model model;
    tinygltf::TinyGLTF loader;
    std::string warning;
    ASSERT_TRUE(loader.LoadBinaryFromFile(&model, &error, &warning, dir.file("car.glb")));
    EXPECT_EQ(model.scenes.at(0).name, "car.flt");
    const std::vector<std::string> names = drawnNodeNames(model);
    EXPECT_NE(std::find(names.begin(), names.end(), "wheel.flt"), names.end());
}
