// glTF export of host scenes built by hand: what the scene shows is what the
// file draws, placed where the bounding-box action puts it.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numeric>

#include "GltfBinaryBuffer.h"
#include "GltfExport.h"
#include "GltfTestSupport.h"
#include "TestFiles.h"
#include "Veldra.h"

namespace {

SoVertexProperty* makeVertices(const std::vector<SbVec3f>& points, const std::vector<SbVec2f>& uvs = {})
{
    auto* vertices = new SoVertexProperty;
    vertices->vertex.setValues(0, static_cast<int>(points.size()), points.data());
    if (!uvs.empty())
        vertices->texCoord.setValues(0, static_cast<int>(uvs.size()), uvs.data());
    return vertices;
}

SoIndexedFaceSet* makeFaceSet(SoVertexProperty* vertices, const std::vector<int32_t>& coordIndex,
                              const std::vector<int32_t>& materialIndex = {}, const char* name = "")
{
    auto* faceSet = new SoIndexedFaceSet;
    faceSet->setName(name);
    faceSet->vertexProperty.setValue(vertices);
    faceSet->coordIndex.setValues(0, static_cast<int>(coordIndex.size()), coordIndex.data());
    if (!materialIndex.empty())
        faceSet->materialIndex.setValues(0, static_cast<int>(materialIndex.size()), materialIndex.data());
    return faceSet;
}

SoIndexedFaceSet* unitSquare(const char* name = "square")
{
    return makeFaceSet(makeVertices({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}), {0, 1, 2, 3, -1}, {}, name);
}

SoMatrixTransform* transform(const SbMat& m)
{
    auto* node = new SoMatrixTransform;
    node->matrix.setValue(SbMatrix(m));
    return node;
}

int meshNodeCount(const tinygltf::Model& model)
{
    int count = 0;
    for (const tinygltf::Node& node : model.nodes)
        count += node.mesh >= 0;
    return count;
}

// Twice the signed area of each of a primitive's triangles in the z = 0 plane.
std::vector<double> doubledAreas(const tinygltf::Model& model, const tinygltf::Primitive& primitive)
{
    const auto bytesOf = [&](int accessor) {
        const tinygltf::BufferView& view = model.bufferViews[model.accessors[accessor].bufferView];
        return model.buffers[0].data.data() + view.byteOffset;
    };
    const float* p = reinterpret_cast<const float*>(bytesOf(primitive.attributes.at("POSITION")));
    std::vector<double> areas;
    for (std::size_t t = 0; t < model.accessors[primitive.indices].count; t += 3) {
        const float* a = p + 3 * indexAt(model, primitive.indices, t);
        const float* b = p + 3 * indexAt(model, primitive.indices, t + 1);
        const float* c = p + 3 * indexAt(model, primitive.indices, t + 2);
        areas.push_back((b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0]));
    }
    return areas;
}

void expectValid(const std::string& file)
{
    for (const ValidatorReport& report : validatorReports({file})) {
        EXPECT_EQ(report.errors, 0) << file;
        EXPECT_EQ(report.warnings, 0) << file;
    }
}

} // namespace

TEST(GltfExport, TransformsComposeAsTheBoundingBoxActionDoes)
{
    // A scale, a translation leaking out of a plain group, a sheared copy in a
    // separator, a level of detail and a switch showing its second child only.
    SoSeparator* root = new SoSeparator;
    root->ref();
    root->setName("root");
    auto* scale = new SoScale;
    scale->scaleFactor.setValue(SbVec3f(2, 2, 2));
    root->addChild(scale);
    auto* leaky = new SoGroup;
    const SbMat translate = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {10, 0, 0, 1}};
    leaky->addChild(transform(translate));
    root->addChild(leaky);
    SoIndexedFaceSet* square = unitSquare();
    root->addChild(square);
    auto* sheared = new SoSeparator;
    const SbMat shear = {{1, 0, 0, 0}, {3, 1, 0, 0}, {0, 0, 1, 0}, {0, 5, 0, 1}};
    sheared->addChild(transform(shear));
    sheared->addChild(square);
    root->addChild(sheared);
    auto* lod = new SoLOD;
    auto* level = new SoSeparator;
    level->addChild(transform(translate));
    level->addChild(unitSquare("near"));
    lod->addChild(new SoLabel);
    lod->addChild(level);
    lod->addChild(new SoLabel);
    root->addChild(lod);
    auto* choice = new SoSwitch;
    choice->whichChild = 1;
    auto* far = new SoSeparator;
    far->addChild(transform(SbMat{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {1000, 0, 0, 1}}));
    far->addChild(unitSquare("hidden"));
    choice->addChild(far);
    choice->addChild(unitSquare("shown"));
    root->addChild(choice);

    ScratchDir dir;
    for (const char* name : {"scene.glb", "scene.gltf"}) {
        SCOPED_TRACE(name);
        const tinygltf::Model model = exportAndLoad(root, dir.file(name));
        ASSERT_FALSE(model.nodes.empty());
        EXPECT_TRUE(sameBox(drawnBounds(model), turnedYUp(sceneBounds(root))));
        const std::vector<std::string> names = nodeNames(model);
        EXPECT_EQ(std::count(names.begin(), names.end(), "shown"), 1);
        EXPECT_EQ(std::count(names.begin(), names.end(), "hidden"), 0);
        EXPECT_EQ(meshNodeCount(model), 4);
        EXPECT_EQ(model.meshes.size(), 3u);  // the square is drawn twice from one mesh
        expectValid(dir.file(name));
    }
    root->unref();
}

TEST(GltfExport, SwitchesExportTheirSelectedChildren)
{
    ScratchDir dir;
    for (const auto& [which, expected] : std::vector<std::pair<int32_t, int>>{{-1, 0}, {-3, 3}, {2, 1}, {7, 0}}) {
        SCOPED_TRACE(which);
        SoSwitch* choice = new SoSwitch;
        choice->ref();
        choice->whichChild = which;
        for (int i = 0; i < 3; ++i)
            choice->addChild(unitSquare());
        EXPECT_EQ(meshNodeCount(exportAndLoad(choice, dir.file("switch.glb"))), expected);
        choice->unref();
    }
}

TEST(GltfExport, ConcaveFacesAreTessellatedAndDegenerateOnesSkipped)
{
    // An L of area 3, counterclockwise, whose fan from its first point would
    // fold over itself; then a face of two points (a line), a collinear one,
    // one whose points coincide and one with a bad index (a line).
    SoVertexProperty* vertices = makeVertices(
        {{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {1, 1, 0}, {1, 2, 0}, {0, 2, 0}, {5, 5, 0}, {6, 6, 0}, {7, 7, 0}});
    SoIndexedFaceSet* faces = makeFaceSet(
        vertices, {5, 0, 1, 2, 3, 4, -1, 6, 7, -1, 6, 7, 8, -1, 6, 6, 6, -1, 0, 99, -1});
    faces->ref();
    ScratchDir dir;
    WarningMark mark;
    StreamCapture err(std::cerr);
    const tinygltf::Model model = exportAndLoad(faces, dir.file("faces.glb"));
    EXPECT_EQ(mark.texts(), std::vector<std::string>{"glTF export: 2 polygons with no area left out"});
    ASSERT_EQ(model.meshes.size(), 1u);
    ASSERT_EQ(model.meshes[0].primitives.size(), 2u);
    EXPECT_EQ(model.meshes[0].primitives[1].mode, TINYGLTF_MODE_LINE);
    const tinygltf::Primitive& primitive = model.meshes[0].primitives[0];
    const std::vector<double> areas = doubledAreas(model, primitive);
    for (double area : areas)
        EXPECT_GT(area, 0.0);  // none folds back, each keeps the face's winding
    EXPECT_NEAR(std::accumulate(areas.begin(), areas.end(), 0.0), 6.0, 1e-5);
    EXPECT_EQ(model.accessors[primitive.attributes.at("POSITION")].count, 6u);
    faces->unref();

    // Quads: a convex one, seen from either side, and a dart listed from the
    // corner facing its reflex one, so that a fan from there would fold.
    SoIndexedFaceSet* quads = makeFaceSet(makeVertices({{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {0, 1, 0}, {1, 1, 1},
                                                        {0, 0, 1}, {3, 0, 1}, {0, 3, 1}}),
                                          {0, 1, 2, 3, -1, 3, 2, 1, 0, -1, 6, 4, 7, 5, -1});
    quads->ref();
    const tinygltf::Model quadModel = exportAndLoad(quads, dir.file("quads.glb"));
    double front = 0, back = 0;
    for (const tinygltf::Primitive& quadPrimitive : quadModel.meshes.at(0).primitives)
        for (double area : doubledAreas(quadModel, quadPrimitive))
            (area > 0 ? front : back) += area;
    EXPECT_NEAR(front, 4.0 + 6.0, 1e-5);  // the convex quad and the dart, none folded
    EXPECT_NEAR(back, -4.0, 1e-5);        // the convex quad wound the other way
    quads->unref();

    SoIndexedFaceSet* nothing = makeFaceSet(makeVertices({{0, 0, 0}, {1, 1, 1}}), {0, 1, 0, -1});
    nothing->ref();
    EXPECT_TRUE(exportAndLoad(nothing, dir.file("nothing.glb")).meshes.empty());
    nothing->unref();
}

TEST(GltfExport, FacesMergeByAppearanceWithTheirDiffuseColorsPerVertex)
{
    // Red, blue and red again opaque, one green face half transparent; a
    // second face set with the same material draws with the same materials.
    SoSeparator* root = new SoSeparator;
    root->ref();
    auto* binding = new SoMaterialBinding;
    binding->value = SoMaterialBinding::PER_FACE_INDEXED;
    root->addChild(binding);
    auto* material = new SoMaterial;
    const SbColor colors[] = {SbColor(1, 0, 0), SbColor(0, 0, 1), SbColor(0, 1, 0)};
    material->diffuseColor.setValues(0, 3, colors);
    const float transparency[] = {0.0f, 0.0f, 0.5f};
    material->transparency.setValues(0, 3, transparency);
    root->addChild(material);
    SoVertexProperty* vertices = makeVertices({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {9, 9, 9}});
    root->addChild(makeFaceSet(vertices, {0, 1, 2, -1, 0, 2, 3, -1, 1, 2, 3, -1, 0, 1, 3, -1}, {0, 1, 0, 2}));
    root->addChild(makeFaceSet(vertices, {0, 1, 2, -1}, {1}));

    ScratchDir dir;
    const tinygltf::Model model = exportAndLoad(root, dir.file("materials.glb"));
    ASSERT_EQ(model.meshes.size(), 2u);
    ASSERT_EQ(model.meshes[0].primitives.size(), 2u);
    EXPECT_EQ(model.materials.size(), 3u);  // opaque by vertex, transparent green, plain blue
    for (const tinygltf::Primitive& primitive : model.meshes[0].primitives) {
        const tinygltf::Material& look = model.materials[primitive.material];
        const bool opaque = look.alphaMode == "OPAQUE";
        EXPECT_EQ(model.accessors[primitive.indices].count, opaque ? 9u : 3u);
        EXPECT_EQ(model.accessors[primitive.indices].componentType, TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT);
        // Only the vertices used, one per place and color: 0 1 2 red, 0 2 3 blue, 1 2 3 red.
        EXPECT_EQ(model.accessors[primitive.attributes.at("POSITION")].count, opaque ? 7u : 3u);
        EXPECT_EQ(primitive.attributes.count("COLOR_0"), opaque ? 1u : 0u);
        const std::vector<double> base = opaque ? std::vector<double>{1, 1, 1, 1} : std::vector<double>{0, 1, 0, 0.5};
        EXPECT_EQ(look.pbrMetallicRoughness.baseColorFactor, base);
    }
    EXPECT_EQ(model.meshes[1].primitives[0].attributes.count("COLOR_0"), 0u);
    expectValid(dir.file("materials.glb"));
    root->unref();
}

TEST(GltfExport, FaceStylesGiveUnlitTwoSidedAndVertexColoredMaterials)
{
    SoVertexProperty* vertices = makeVertices({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}});
    vertices->vertexColors = {0xFF0000FFu, 0x00FF00FFu, 0x0000FFFFu, 0xFFFFFFFFu};
    SoIndexedFaceSet* faces = makeFaceSet(vertices, {0, 1, 2, -1, 0, 2, 3, -1, 1, 2, 3, -1});
    faces->faceStyles = {SoIndexedFaceSet::UNLIT | SoIndexedFaceSet::VERTEX_COLORS, SoIndexedFaceSet::TWO_SIDED};
    SoSeparator* root = new SoSeparator;
    root->ref();
    auto* hints = new SoShapeHints;  // closed and wound: back faces may be culled
    hints->shapeType = SoShapeHints::SOLID;
    hints->vertexOrdering = SoShapeHints::COUNTERCLOCKWISE;
    root->addChild(hints);
    root->addChild(faces);

    ScratchDir dir;
    const tinygltf::Model model = exportAndLoad(root, dir.file("styles.glb"));
    ASSERT_EQ(model.meshes.size(), 1u);
    ASSERT_EQ(model.meshes[0].primitives.size(), 3u);
    const tinygltf::Primitive& unlit = model.meshes[0].primitives[0];
    EXPECT_EQ(model.materials[unlit.material].extensions.count("KHR_materials_unlit"), 1u);
    const tinygltf::Accessor& colors = model.accessors[unlit.attributes.at("COLOR_0")];
    const float* rgb = reinterpret_cast<const float*>(model.buffers[0].data.data() +
                                                      model.bufferViews[colors.bufferView].byteOffset);
    EXPECT_EQ(std::vector<float>(rgb, rgb + 9), (std::vector<float>{1, 0, 0, 0, 1, 0, 0, 0, 1}));
    EXPECT_TRUE(model.materials[model.meshes[0].primitives[1].material].doubleSided);
    EXPECT_FALSE(model.materials[model.meshes[0].primitives[2].material].doubleSided);
    expectValid(dir.file("styles.glb"));
    root->unref();
}

namespace {

// A triangle of the size given, its corner and the level's center at x.
SoLOD* levelOfDetail(const char* name, float near, float far, float size, float x = 0)
{
    auto* lod = new SoLOD;
    lod->setName(name);
    lod->center.setValue(SbVec3f(x, 0, 0));
    lod->range.set1Value(0, near);
    lod->range.set1Value(1, far);
    auto* content = new SoSeparator;
    content->addChild(makeFaceSet(makeVertices({{x, 0, 0}, {x + size, 0, 0}, {x + size, size, 0}}), {0, 1, 2, -1}));
    lod->addChild(new SoLabel);
    lod->addChild(content);
    lod->addChild(new SoLabel);
    return lod;
}

} // namespace

TEST(GltfExport, LevelsOfDetailDrawTheFinestAndListTheCoarserOnes)
{
    SoSeparator* root = new SoSeparator;
    root->ref();
    root->addChild(levelOfDetail("coarse", 100, 1000, 2));
    root->addChild(levelOfDetail("fine", 0, 100, 1));
    root->addChild(levelOfDetail("absurd", std::nanf(""), -5, 3));
    // Tiles shown together, about centers of their own: both drawn.
    root->addChild(levelOfDetail("tile", 0, 500, 1, 100));
    root->addChild(levelOfDetail("tile", 0, 500, 1, 200));

    ScratchDir dir;
    WarningMark mark;
    StreamCapture err(std::cerr);
    const tinygltf::Model model = exportAndLoad(root, dir.file("lod.glb"));
    EXPECT_EQ(mark.texts().size(), 1u);  // the absurd distances
    int fine = -1;
    for (std::size_t i = 0; i < model.nodes.size(); ++i)
        if (model.nodes[i].name == "fine")
            fine = static_cast<int>(i);
    ASSERT_GE(fine, 0);
    const tinygltf::Value& ids = model.nodes[fine].extensions.at("MSFT_lod").Get("ids");
    ASSERT_EQ(ids.ArrayLen(), 2u);
    EXPECT_EQ(model.nodes[ids.Get(0).GetNumberAsInt()].name, "coarse");
    EXPECT_EQ(model.nodes[ids.Get(1).GetNumberAsInt()].name, "absurd");
    const tinygltf::Value& coverage = model.nodes[fine].extras.Get("MSFT_screencoverage");
    ASSERT_EQ(coverage.ArrayLen(), 3u);
    // A sphere of radius 0.707 seen from 100 and 1000 in a view 60 degrees high.
    EXPECT_NEAR(coverage.Get(0).GetNumberAsDouble(), 0.5 * std::sqrt(2.0) / (100 * std::tan(M_PI / 6)), 1e-9);
    EXPECT_NEAR(coverage.Get(1).GetNumberAsDouble(), 0.5 * std::sqrt(2.0) / (1000 * std::tan(M_PI / 6)), 1e-9);
    EXPECT_EQ(coverage.Get(2).GetNumberAsDouble(), 0.0);
    // The finest level is drawn, and the tiles.
    EXPECT_TRUE(sameBox(drawnBounds(model), SbBox3f(SbVec3f(0, 0, -1), SbVec3f(201, 0, 0))));
    EXPECT_EQ(drawCalls(model), 3);
    expectValid(dir.file("lod.glb"));
    root->unref();
}

namespace {

// An uncompressed SGI image, 3 channels of width x height bytes, bottom row first.
std::vector<uint8_t> sgiImage(int width, int height)
{
    std::vector<uint8_t> bytes(512, 0);
    const auto put16 = [&](int at, int value) {
        bytes[at] = static_cast<uint8_t>(value >> 8);
        bytes[at + 1] = static_cast<uint8_t>(value);
    };
    put16(0, 474);  // magic
    bytes[3] = 1;   // one byte a channel
    put16(4, 3);    // dimensions
    put16(6, width);
    put16(8, height);
    put16(10, 3);
    bytes[15] = 255;  // largest pixel value
    for (int channel = 0; channel < 3; ++channel)
        for (int i = 0; i < width * height; ++i)
            bytes.push_back(static_cast<uint8_t>(channel * 100 + i));
    return bytes;
}

// One textured triangle per texture name, each in a separator of its own;
// the root comes back referenced.
SoSeparator* texturedTriangles(std::initializer_list<const char*> files)
{
    SoSeparator* root = new SoSeparator;
    root->ref();
    SoIndexedFaceSet* triangle = makeFaceSet(
        makeVertices({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, {{0, 0}, {1, 0}, {1, 1}}), {0, 1, 2, -1});
    for (const char* file : files) {
        auto* group = new SoSeparator;
        auto* texture = new SoTexture2;
        texture->filename = file;
        group->addChild(texture);
        group->addChild(triangle);
        root->addChild(group);
    }
    return root;
}

} // namespace

TEST(GltfExport, TexturesBecomePngsOrAreLeftOutWithOneWarningEach)
{
    ScratchDir dir;
    dir.write("bricks.rgb", sgiImage(4, 2));
    SoSeparator* root = texturedTriangles({"bricks.rgb", "missing.rgb", "missing.rgb"});

    WarningMark mark;
    StreamCapture err(std::cerr);
    const tinygltf::Model model = exportAndLoad(root, dir.file("textured.glb"), dir.path());
    EXPECT_EQ(mark.texts().size(), 1u);
    ASSERT_EQ(model.images.size(), 1u);
    EXPECT_EQ(model.images[0].mimeType, "image/png");
    const tinygltf::BufferView& view = model.bufferViews[model.images[0].bufferView];
    const uint8_t* png = model.buffers[0].data.data() + view.byteOffset;
    ASSERT_GE(view.byteLength, 24u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(png) + 1, 3), "PNG");
    EXPECT_EQ(png[19], 4);  // IHDR width, big-endian
    EXPECT_EQ(png[23], 2);  // IHDR height
    ASSERT_EQ(model.meshes.size(), 2u);  // textured and untextured
    const std::vector<float> uv = [&] {
        const tinygltf::Accessor& a = model.accessors[model.meshes[0].primitives[0].attributes.at("TEXCOORD_0")];
        const float* f = reinterpret_cast<const float*>(model.buffers[0].data.data() +
                                                        model.bufferViews[a.bufferView].byteOffset);
        return std::vector<float>(f, f + 6);
    }();
    EXPECT_EQ(uv, (std::vector<float>{0, 1, 1, 1, 1, 0}));  // rows counted from the top
    root->unref();
}

namespace {

// A texture attribute file: 48 bytes of big-endian integers, filters at 28
// and 32, wrapping at 36 (both), 40 (u) and 44 (v).
std::vector<uint8_t> textureAttributes(int minFilter, int magFilter, int wrap, int wrapU, int wrapV)
{
    std::vector<uint8_t> bytes(48, 0);
    const int values[][2] = {{28, minFilter}, {32, magFilter}, {36, wrap}, {40, wrapU}, {44, wrapV}};
    for (const auto& [at, value] : values)
        bytes[at + 3] = static_cast<uint8_t>(value);
    return bytes;
}

} // namespace

TEST(GltfExport, TexturesAreFoundByTheirBaseNameAndSampledAsTheirAttributesSay)
{
    ScratchDir dir;
    std::filesystem::create_directories(dir.file("maps"));
    dir.write("Bricks.RGB", sgiImage(4, 2));
    dir.write("Bricks.RGB.attr", textureAttributes(0, 0, 1, 3, 4));  // point, clamp, mirrored v
    dir.write("maps/stone.rgb", sgiImage(2, 2));
    dir.write("maps/stone.rgb.attr", {1, 2, 3});  // cut short
    SoSeparator* root = texturedTriangles({"C:\\Work\\Models\\bricks.rgb", "/elsewhere/STONE.rgb", "gone.rgb"});

    WarningMark mark;
    StreamCapture err(std::cerr);
    std::vector<std::string> missing;
    std::string error;
    ASSERT_TRUE(exportGltf(root, dir.file("found.glb"), {dir.path(), {dir.file("maps")}}, missing, error));
    EXPECT_EQ(missing, std::vector<std::string>{"gone.rgb"});
    EXPECT_EQ(mark.texts().size(), 2u);  // the short attribute file, the missing image
    tinygltf::Model model;
    tinygltf::TinyGLTF loader;
    std::string warning;
    ASSERT_TRUE(loader.LoadBinaryFromFile(&model, &error, &warning, dir.file("found.glb")));
    ASSERT_EQ(model.textures.size(), 2u);
    const tinygltf::Sampler& bricks = model.samplers[model.textures[0].sampler];
    EXPECT_EQ(bricks.minFilter, TINYGLTF_TEXTURE_FILTER_NEAREST);
    EXPECT_EQ(bricks.magFilter, TINYGLTF_TEXTURE_FILTER_NEAREST);
    EXPECT_EQ(bricks.wrapS, TINYGLTF_TEXTURE_WRAP_CLAMP_TO_EDGE);
    EXPECT_EQ(bricks.wrapT, TINYGLTF_TEXTURE_WRAP_MIRRORED_REPEAT);
    const tinygltf::Sampler& stone = model.samplers[model.textures[1].sampler];
    EXPECT_EQ(stone.minFilter, TINYGLTF_TEXTURE_FILTER_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(stone.wrapS, TINYGLTF_TEXTURE_WRAP_REPEAT);
    expectValid(dir.file("found.glb"));
    root->unref();
}

TEST(GltfExport, ASceneWithoutGeometryIsAnEmptyValidFile)
{
    SoSeparator* root = new SoSeparator;
    root->ref();
    root->addChild(new SoMaterial);
    root->addChild(makeFaceSet(makeVertices({}), {0, 1, 2, -1}));
    ScratchDir dir;
    for (const char* name : {"empty.glb", "empty.gltf"}) {
        const tinygltf::Model model = exportAndLoad(root, dir.file(name));
        EXPECT_TRUE(model.meshes.empty());
        EXPECT_EQ(model.scenes.size(), 1u);
        expectValid(dir.file(name));
    }
    EXPECT_FALSE(fileExists(dir.file("empty.bin")));
    root->unref();
}

// A .glb's binary chunk stays in memory up to a limit, then moves to a
// temporary file: the bytes written out are the same either way.
TEST(GltfExport, ABinaryChunkPastItsMemoryLimitGoesOnInAFile)
{
    const std::vector<uint8_t> first = {1, 2, 3}, second = {4, 5, 6, 7, 8, 9, 10, 11};
    std::string written[2];
    for (std::size_t limit : {std::size_t(1024), std::size_t(6)}) {
        tinygltf::Model model;
        GltfBinaryBuffer buffer("", limit);
        ASSERT_TRUE(buffer.isOpen());
        EXPECT_EQ(buffer.addView(model, first.data(), first.size(), 0), 0);
        EXPECT_EQ(buffer.addView(model, second.data(), second.size(), 0), 1);
        EXPECT_EQ(model.bufferViews[1].byteOffset, 4u);
        EXPECT_EQ(buffer.size(), 12u);
        std::FILE* out = std::tmpfile();
        ASSERT_TRUE(buffer.copyTo(out));
        std::rewind(out);
        char bytes[64];
        written[limit == 6] = std::string(bytes, std::fread(bytes, 1, sizeof bytes, out));
        std::fclose(out);
        EXPECT_FALSE(buffer.hasFailed());
    }
    EXPECT_EQ(written[0], std::string("\1\2\3\0\4\5\6\7\10\11\12\13", 12));
    EXPECT_EQ(written[1], written[0]);
}
