// glTF models turned into what a database holds: axes, primitives, looks,
// levels and what is left out; and hostile models refused with their reason.

#include <gtest/gtest.h>

#include <cmath>

#include "GltfInputError.h"
#include "GltfModelBuilder.h"
#include "GltfSource.h"
#include "GltfToDatabaseModel.h"
#include "ZUpMatrix.h"

using namespace database_model;

namespace {

Model convert(const std::vector<unsigned char>& bytes) {
    tinygltf::Model gltf;
    loadGltf(bytes, "", gltf);
    return gltfToDatabaseModel(gltf, "test");
}

Model convert(GltfModelBuilder& builder) { return convert(builder.glb()); }

// The reason a model is refused, or "" when it is not.
std::string refusal(const std::vector<unsigned char>& bytes) {
    try {
        convert(bytes);
    } catch (const GltfInputError& e) {
        return e.what();
    }
    return "";
}

std::vector<unsigned char> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

// A one-quad model; `edit` changes its JSON text before it is read.
std::string quadJson(GltfModelBuilder& b) {
    const int mesh = b.mesh("quad", b.floats(quadPositions(), TINYGLTF_TYPE_VEC3));
    b.scene({b.node("n", mesh)});
    return b.json();
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

std::vector<std::size_t> faceSizes(const Mesh& mesh) {
    std::vector<std::size_t> sizes;
    for (const Face& face : mesh.faces) sizes.push_back(face.vertices.size());
    return sizes;
}

}  // namespace

TEST(GltfToDatabaseModel, TurnsZUpAndKeepsTheTree)
{
    GltfModelBuilder b;
    const int mesh = b.mesh("quad", b.floats(quadPositions(), TINYGLTF_TYPE_VEC3));
    const int child = b.node("a rather long child name", mesh);
    const int root = b.node("", -1, {child});
    b.model.nodes[root].translation = {0, 0, 5};
    b.scene({root});
    const Model model = convert(b);

    ASSERT_EQ(model.roots.size(), 1u);
    const Node& top = model.nodes[model.roots[0]];
    EXPECT_EQ(top.name, "node1");
    ASSERT_TRUE(top.hasMatrix);
    // glTF's +z (towards the viewer) is OpenFlight's -y.
    EXPECT_EQ(transformPoint(top.matrix, {1, 2, 3}), (std::array<double, 3>{1, -3, 3}));
    ASSERT_EQ(top.children.size(), 1u);
    const Node& leaf = model.nodes[top.children[0]];
    EXPECT_EQ(leaf.name, "a rather long child name");
    EXPECT_FALSE(leaf.hasMatrix);
    // glTF's (1, 1, 0) stands at (1, 0, 1): its y is up.
    const Mesh& quad = model.meshes[leaf.mesh];
    ASSERT_EQ(faceSizes(quad), (std::vector<std::size_t>{3, 3}));
    const Vertex& corner = model.vertices[quad.faces[0].vertices[2]];
    EXPECT_EQ(corner.position, (std::array<double, 3>{1, 0, 1}));
}

TEST(GltfToDatabaseModel, RotationsTurnWithTheAxes)
{
    GltfModelBuilder b;
    const int root = b.node("turned");
    // A quarter turn about glTF's y (up) is one about OpenFlight's z.
    b.model.nodes[root].rotation = {0, std::sqrt(0.5), 0, std::sqrt(0.5)};
    b.scene({root});
    const Model model = convert(b);
    // glTF's x turns to glTF's -z, OpenFlight's +y.
    const auto turned = transformPoint(model.nodes[0].matrix, {1, 0, 0});
    EXPECT_NEAR(turned[0], 0, 1e-12);
    EXPECT_NEAR(turned[1], 1, 1e-12);
    EXPECT_NEAR(turned[2], 0, 1e-12);
}

TEST(GltfToDatabaseModel, EveryPrimitiveModeBecomesFacesOfThreeTwoOrOneVertices)
{
    GltfModelBuilder b;
    const int five = b.floats({0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0, 0, 2, 0}, TINYGLTF_TYPE_VEC3);
    std::vector<int> nodes;
    for (int mode : {TINYGLTF_MODE_TRIANGLE_STRIP, TINYGLTF_MODE_TRIANGLE_FAN, TINYGLTF_MODE_LINE,
                     TINYGLTF_MODE_LINE_LOOP, TINYGLTF_MODE_LINE_STRIP, TINYGLTF_MODE_POINTS})
        nodes.push_back(b.node("", b.mesh("m" + std::to_string(mode), five, -1, mode)));
    b.scene(nodes);
    const Model model = convert(b);
    ASSERT_EQ(model.meshes.size(), 6u);
    EXPECT_EQ(faceSizes(model.meshes[0]), (std::vector<std::size_t>(3, 3)));  // strip
    EXPECT_EQ(faceSizes(model.meshes[1]), (std::vector<std::size_t>(3, 3)));  // fan
    EXPECT_EQ(faceSizes(model.meshes[2]), (std::vector<std::size_t>(2, 2)));  // lines, the odd one out dropped
    EXPECT_EQ(faceSizes(model.meshes[3]), (std::vector<std::size_t>(5, 2)));  // loop, closed
    EXPECT_EQ(faceSizes(model.meshes[4]), (std::vector<std::size_t>(4, 2)));  // strip of lines
    EXPECT_EQ(faceSizes(model.meshes[5]), (std::vector<std::size_t>(5, 1)));  // points

    // A strip's second triangle turns the same way as its first.
    const Mesh& strip = model.meshes[0];
    auto normalZ = [&](const Face& f) {
        const auto& a = model.vertices[f.vertices[0]].position;
        const auto& p = model.vertices[f.vertices[1]].position;
        const auto& q = model.vertices[f.vertices[2]].position;
        // Facing glTF's +z is facing OpenFlight's -y.
        return (p[2] - a[2]) * (q[0] - a[0]) - (p[0] - a[0]) * (q[2] - a[2]);
    };
    for (const Face& face : strip.faces) EXPECT_LT(normalZ(face), 0);
    const Mesh& fan = model.meshes[1];
    for (const Face& face : fan.faces) EXPECT_EQ(face.vertices[0], fan.faces[0].vertices[0]);
}

TEST(GltfToDatabaseModel, LooksBecomeMaterialsFaceColoursAndVertexColours)
{
    GltfModelBuilder b;
    const int positions = b.floats(quadPositions(), TINYGLTF_TYPE_VEC3);
    const int lit = b.material("lit", {0.5, 0.214, 0, 0.25}, true, false, "BLEND");
    const int unlit = b.material("flat", {1, 1, 1, 0.25}, false, true, "BLEND");
    const int opaque = b.material("opaque", {1, 1, 1, 0.25});
    std::vector<float> colors;
    for (int i = 0; i < 6; ++i) colors.insert(colors.end(), {0.5f, 0.5f, 0.5f, 1});
    const int colored = b.floats(colors, TINYGLTF_TYPE_VEC4);
    b.scene({b.node("", b.mesh("lit", positions, -1, TINYGLTF_MODE_TRIANGLES, lit)),
             b.node("", b.mesh("unlit", positions, -1, TINYGLTF_MODE_TRIANGLES, unlit, {{"COLOR_0", colored}})),
             b.node("", b.mesh("opaque", positions, -1, TINYGLTF_MODE_TRIANGLES, opaque))});
    const Model model = convert(b);

    // Lit faces take their colour from the material, in display values.
    ASSERT_EQ(model.materials.size(), 2u);
    EXPECT_NEAR(model.materials[0].diffuse[0], 0.7354, 1e-4);
    EXPECT_NEAR(model.materials[0].diffuse[1], 0.5, 1e-3);
    EXPECT_FLOAT_EQ(model.materials[0].alpha, 0.25f);
    EXPECT_FLOAT_EQ(model.materials[1].alpha, 1.0f);  // opaque ignores alpha
    const Face& litFace = model.meshes[0].faces[0];
    EXPECT_TRUE(litFace.lit);
    EXPECT_TRUE(litFace.doubleSided);
    EXPECT_EQ(litFace.material, 0);
    EXPECT_EQ(litFace.packedAbgr, 0xFFFFFFFFu);

    // Unlit ones show their own colour, clear as the alpha says, and here
    // the vertices' colours.
    const Face& flatFace = model.meshes[1].faces[0];
    EXPECT_FALSE(flatFace.lit);
    EXPECT_FALSE(flatFace.doubleSided);
    EXPECT_EQ(flatFace.material, -1);
    EXPECT_EQ(flatFace.transparency, 49151);
    EXPECT_EQ(flatFace.packedAbgr, 0x40FFFFFFu);
    EXPECT_TRUE(flatFace.vertexColors);
    const Vertex& v = model.vertices[flatFace.vertices[0]];
    EXPECT_TRUE(v.hasColor);
    EXPECT_EQ(v.packedAbgr, 0xFFBCBCBCu);  // linear 0.5 shows as 188
}

TEST(GltfToDatabaseModel, TexturesTransformAndFlipTheirCoordinatesAndKeepTheirSamplers)
{
    GltfModelBuilder b;
    const int positions = b.floats(quadPositions(), TINYGLTF_TYPE_VEC3);
    const int uvs = b.floats({0, 0, 1, 0.25f, 1, 1, 0, 0, 1, 1, 0, 1}, TINYGLTF_TYPE_VEC2);
    const int material = b.material("textured", {1, 1, 1, 1});
    tinygltf::Image image;
    const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    image.bufferView = b.view(signature, sizeof signature);  // kept as it is; decoded only when written
    image.mimeType = "image/png";
    image.name = "brick wall.png";
    b.model.images.push_back(image);
    tinygltf::Sampler sampler;
    sampler.wrapS = TINYGLTF_TEXTURE_WRAP_CLAMP_TO_EDGE;
    sampler.magFilter = TINYGLTF_TEXTURE_FILTER_NEAREST;
    b.model.samplers.push_back(sampler);
    tinygltf::Texture texture;
    texture.source = 0;
    texture.sampler = 0;
    b.model.textures = {texture, texture};  // one image shown one way: one texture
    auto& baseColor = b.model.materials[material].pbrMetallicRoughness.baseColorTexture;
    baseColor.index = 1;
    baseColor.extensions["KHR_texture_transform"] = tinygltf::Value(tinygltf::Value::Object{
        {"offset", tinygltf::Value(tinygltf::Value::Array{tinygltf::Value(0.5), tinygltf::Value(0.0)})},
        {"scale", tinygltf::Value(tinygltf::Value::Array{tinygltf::Value(2.0), tinygltf::Value(2.0)})}});
    b.model.extensionsUsed.push_back("KHR_texture_transform");
    b.model.materials[material].normalTexture.index = 0;
    b.scene({b.node("", b.mesh("m", positions, -1, TINYGLTF_MODE_TRIANGLES, material, {{"TEXCOORD_0", uvs}}))});
    const Model model = convert(b);

    ASSERT_EQ(model.textures.size(), 1u);
    EXPECT_EQ(model.textures[0].name, "brick_wall");
    EXPECT_EQ(model.textures[0].wrapS, TINYGLTF_TEXTURE_WRAP_CLAMP_TO_EDGE);
    EXPECT_EQ(model.textures[0].magFilter, TINYGLTF_TEXTURE_FILTER_NEAREST);
    const Face& face = model.meshes[0].faces[0];
    EXPECT_EQ(face.texture, 0);
    // (1, 0.25) scaled by 2, moved by 0.5 along u, then rows counted from the bottom.
    EXPECT_EQ(model.vertices[face.vertices[1]].uv, (std::array<float, 2>{2.5f, 0.5f}));
    EXPECT_EQ(model.leftOut, (std::vector<std::string>{"texture maps other than base colour (1)"}));
}

TEST(GltfToDatabaseModel, LevelSetsSwitchWhereTheirCoverageSays)
{
    GltfModelBuilder b;
    // A 2 x 2 x 0 quad: radius sqrt(2); centre (1, 0, 1) once turned Z-up.
    std::vector<float> big = quadPositions();
    for (float& p : big) p *= 2;
    const int mesh = b.mesh("quad", b.floats(big, TINYGLTF_TYPE_VEC3));
    const int fine = b.node("fine", mesh), middle = b.node("middle", mesh), coarse = b.node("coarse", mesh);
    tinygltf::Value::Object lod{{"ids", tinygltf::Value(tinygltf::Value::Array{tinygltf::Value(middle), tinygltf::Value(coarse)})}};
    b.model.nodes[fine].extensions["MSFT_lod"] = tinygltf::Value(lod);
    b.model.nodes[fine].extras = tinygltf::Value(tinygltf::Value::Object{
        {"MSFT_screencoverage", tinygltf::Value(tinygltf::Value::Array{tinygltf::Value(0.5), tinygltf::Value(0.25),
                                                                       tinygltf::Value(0.0)})}});
    b.model.extensionsUsed.push_back("MSFT_lod");
    b.scene({fine});
    const Model model = convert(b);

    ASSERT_EQ(model.roots.size(), 1u);
    const Node& finest = model.nodes[model.roots[0]];
    ASSERT_EQ(finest.coarserLevels.size(), 2u);
    const double tan30 = std::tan(M_PI / 6), radius = std::sqrt(2.0);
    const Level& l0 = finest.level;
    const Level& l1 = model.nodes[finest.coarserLevels[0]].level;
    const Level& l2 = model.nodes[finest.coarserLevels[1]].level;
    EXPECT_EQ(l0.switchOut, 0);
    EXPECT_NEAR(l0.switchIn, radius / (0.5 * tan30), 1e-9);
    EXPECT_EQ(l1.switchOut, l0.switchIn);
    EXPECT_NEAR(l1.switchIn, radius / (0.25 * tan30), 1e-9);
    EXPECT_EQ(l2.switchOut, l1.switchIn);
    EXPECT_GT(l2.switchIn, 1e8);  // shown to the end
    EXPECT_EQ(l0.center, (std::array<double, 3>{1, 0, 1}));
}

TEST(GltfToDatabaseModel, HostileModelsAreRefusedWithTheirReason)
{
    GltfModelBuilder b;
    const std::string json = quadJson(b);
    const std::vector<unsigned char> glb = b.glb();
    EXPECT_EQ(refusal(bytesOf(json)), "");
    EXPECT_EQ(refusal(glb), "");

    EXPECT_NE(refusal({glb.begin(), glb.begin() + glb.size() / 2}).find("cannot be read"), std::string::npos);
    EXPECT_NE(refusal(bytesOf("{ not json")).find("cannot be read"), std::string::npos);
    EXPECT_NE(refusal(bytesOf(replaced(json, "\"count\":6", "\"count\":7"))).find("accessor 0 reaches past"),
              std::string::npos);
    EXPECT_NE(refusal(bytesOf(replaced(json, "\"bufferView\":0", "\"bufferView\":9"))).find("buffer view 9"),
              std::string::npos);
    EXPECT_EQ(refusal(bytesOf(replaced(json, "\"byteLength\":72", "\"byteLength\":80"))),
              "buffer view 0 reaches past the end of buffer 0 (72 bytes)");
    EXPECT_NE(refusal(bytesOf(replaced(json, "\"nodes\":[{", "\"nodes\":[{\"children\":[0],")))
                  .find("node 0 is reached twice"),
              std::string::npos);
    EXPECT_NE(refusal(bytesOf(replaced(json, "\"nodes\":[{", "\"extensionsRequired\":[\"KHR_draco_mesh_compression\"],"
                                                             "\"nodes\":[{")))
                  .find("requires extension KHR_draco_mesh_compression"),
              std::string::npos);
    // An image in a view longer than its buffer (the glTF library does not check that one).
    std::string image = replaced(json, "\"nodes\":[{", "\"images\":[{\"bufferView\":1,\"mimeType\":\"image/png\"}],\"nodes\":[{");
    image = replaced(image, "\"bufferViews\":[", "\"bufferViews\":[{\"buffer\":0,\"byteLength\":72},"
                                                 "{\"buffer\":0,\"byteOffset\":60,\"byteLength\":99999},");
    EXPECT_EQ(refusal(bytesOf(image)), "the model cannot be read: image 0 reaches past the end of its buffer");
    EXPECT_NE(refusal(bytesOf(replaced(json, "\"uri\":\"data:", "\"uri\":\"missing.bin\",\"x\":\"")))
                  .find("missing.bin"),
              std::string::npos);
}

TEST(GltfToDatabaseModel, IndicesPastTheirVerticesAndNonFinitePositionsAreRefused)
{
    GltfModelBuilder past;
    const int positions = past.floats(quadPositions(), TINYGLTF_TYPE_VEC3);
    past.scene({past.node("", past.mesh("m", positions, past.indices({0, 1, 6})))});
    EXPECT_EQ(refusal(past.glb()), "accessor 1 holds index 6, past the 6 vertices");

    GltfModelBuilder nan;
    std::vector<float> notANumber = quadPositions();
    notANumber[4] = std::nanf("");
    nan.scene({nan.node("", nan.mesh("m", nan.floats(notANumber, TINYGLTF_TYPE_VEC3)))});
    EXPECT_EQ(refusal(nan.glb()), "accessor 0 holds a position that is not finite");
}
