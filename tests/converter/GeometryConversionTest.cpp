// Palettes and object geometry: the vertex palette in its shared nodes, the
// material entry of every face, face sets grouped by vertex kind and split by
// texture, subfaces, mixed and morphing vertex lists, old vertex records.

#include <gtest/gtest.h>

#include "ConvertedDatabase.h"
#include "FltFileInput.h"
#include "FltToVeldra.h"

namespace {

void expectColor(const SbColor& actual, const SbColor& expected, const char* what)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-6) << what << " component " << i;
}

struct MaterialEntry {
    SbColor ambient, diffuse, specular, emissive;
    float shininess;
    float transparency;
};

void expectEntry(const SoMaterial& set, int entry, const MaterialEntry& expected)
{
    SCOPED_TRACE(testing::Message() << set.getName().getString() << " entry " << entry);
    ASSERT_GT(set.ambientColor.getNum(), entry);
    expectColor(set.ambientColor[entry], expected.ambient, "ambient");
    expectColor(set.diffuseColor[entry], expected.diffuse, "diffuse");
    expectColor(set.specularColor[entry], expected.specular, "specular");
    expectColor(set.emissiveColor[entry], expected.emissive, "emissive");
    EXPECT_NEAR(set.shininess[entry], expected.shininess, 1e-6);
    EXPECT_NEAR(set.transparency[entry], expected.transparency, 1e-6);
}

// A triangle of colour vertices 0, 1, 2 of the palette written by `colorTriangle`.
std::vector<int32_t> colorTriangle(FltTestWriter& w)
{
    w.vertexPalette().vertexColor(0, 0, 0).vertexColor(1, 0, 0).vertexColor(0, 1, 0);
    return {w.vertexOffset(0), w.vertexOffset(1), w.vertexOffset(2)};
}

void faceWith(FltTestWriter& w, const FltFaceStyle& style, const std::vector<int32_t>& offsets)
{
    w.face("f", style).pushLevel().vertexList(offsets).popLevel();
}

SoGroup* objectNamed(const ConvertedDatabase& db, const char* name)
{
    SoGroup* object = dynamic_cast<SoGroup*>(findNode(db.root, name));
    EXPECT_NE(object, nullptr) << name;
    return object;
}

const SbColor black(0, 0, 0);

} // namespace

TEST(GeometryConversion, VertexPaletteFillsTheSharedNodesByOffset)
{
    // 100001 colour vertices: the last one grows the arrays by half plus 100.
    FltTestWriter w;
    w.header(1570).vertexPalette();
    for (int i = 0; i <= 100000; ++i)
        w.vertexColor(i, 0, 0);
    w.vertexColorNormalUv(5, 6, 7, {0, 0, 1}, {0.5f, 0.25f});
    ScratchDir dir;
    const std::string path = dir.write("big.flt", w.bytes());
    FltFileInput input(path.c_str());
    FltToVeldra converter;
    converter.setInput(&input);
    StreamCapture out(std::cout);
    ASSERT_EQ(converter.run(), 0);

    EXPECT_EQ(converter.vertexCapacities[vertexKindSlot(VERTEX_COLOR_ID)], 150100);
    EXPECT_EQ(converter.vertexCounts[vertexKindSlot(VERTEX_COLOR_ID)], 100001);
    EXPECT_EQ(converter.getVertexEntry(8).index, 0);
    EXPECT_EQ(converter.getVertexEntry(48).index, 1);
    EXPECT_EQ(converter.getVertexEntry(12).property, nullptr); // no vertex starts there
    EXPECT_EQ(converter.getVertexEntry(8 + 7 * 40).index, 7);  // asked out of order
    const VertexEntry& last = converter.getVertexEntry(8 + 100000 * 40);
    EXPECT_EQ(last.index, 100000);
    EXPECT_EQ(last.length, 40u);
    EXPECT_EQ(last.property, converter.vertexPropertyNodes[vertexKindSlot(VERTEX_COLOR_ID)].get());
    // The values written before the arrays grew are still there.
    EXPECT_EQ(converter.vertexPropertyNodes[vertexKindSlot(VERTEX_COLOR_ID)]->vertex[99999], SbVec3f(99999, 0, 0));
    EXPECT_EQ(converter.vertexPropertyNodes[vertexKindSlot(VERTEX_COLOR_ID)]->vertex[100000], SbVec3f(100000, 0, 0));
    const VertexEntry& uv = converter.getVertexEntry(8 + 100001 * 40);
    EXPECT_EQ(uv.index, 0);
    EXPECT_EQ(uv.length, 64u);
    SoVertexProperty* normalUv = converter.vertexPropertyNodes[vertexKindSlot(VERTEX_COLOR_NORMAL_UV_ID)].get();
    EXPECT_EQ(normalUv->texCoord[0], SbVec2f(0.5f, 0.25f));
    EXPECT_EQ(normalUv->normal[0], SbVec3f(0, 0, 1));
    converter.getRoot()->unref();
}

TEST(GeometryConversion, TheFirstPushLevelShowsOnlyTheFilledVertexNodes)
{
    FltTestWriter w;
    w.header(1570).vertexPalette().vertexColorUv(1, 2, 3, {0, 1}).pushLevel().popLevel();
    ConvertedDatabase db(w);
    EXPECT_EQ(writeSceneToString(db.root->getChild(3)), "SoSwitch \"vertexPropertyPalette\" {\n"
                                                         "  whichChild -1\n"
                                                         "  SoVertexProperty \"vertexColorUVProperty\" {\n"
                                                         "    vertex [1 2 3]\n"
                                                         "    texCoord [0 1]\n"
                                                         "    orderedRGBA []\n"
                                                         "  }\n"
                                                         "}\n");
    FltTestWriter empty;
    empty.header(1570).pushLevel().popLevel();
    ConvertedDatabase none(empty);
    EXPECT_EQ(none.root->getNumChildren(), 3);
}

TEST(GeometryConversion, EveryFaceGetsTheMaterialEntryItsColourAndMaterialGive)
{
    FltTestWriter w;
    // Palette entry 0 stored as A B G R = FF 80 40 20; entry 1 pure blue.
    w.header(1570).colorPalette({0xFF804020, 0xFFFF0000});
    w.material(3, "shiny", {0.5f, 0.5f, 0.5f}, {1, 0.5f, 0.25f}, {0.1f, 0.2f, 0.3f}, {0.4f, 0.5f, 0.6f}, 64, 0.75f);
    const std::vector<int32_t> triangle = colorTriangle(w);
    w.pushLevel().object("o").pushLevel();
    const uint32_t packedFlag = FltFaceStyle::packedColor, noColorFlag = FltFaceStyle::noColor;
    faceWith(w, FltFaceStyle().withFlags(packedFlag).packed(0xFF102030), triangle);          // 0
    faceWith(w, FltFaceStyle().colorIndex(127).transparent(32768), triangle);                 // 1
    faceWith(w, FltFaceStyle().colorIndex(63), triangle);                                     // 2
    faceWith(w, FltFaceStyle().withFlags(noColorFlag), triangle);                             // 3
    faceWith(w, FltFaceStyle().material(3).withFlags(noColorFlag), triangle);                 // 4
    faceWith(w, FltFaceStyle().material(3).withFlags(packedFlag).packed(0xFF00FF00), triangle); // 5
    faceWith(w, FltFaceStyle().material(3).colorIndex(1 * 128 + 5), triangle);                // 6
    faceWith(w, FltFaceStyle().material(3).colorIndex(128).white(1).texture(-1), triangle);   // 7
    w.popLevel().popLevel();
    ConvertedDatabase db(w);
    SoGroup* object = objectNamed(db, "o");
    ASSERT_NE(object, nullptr);
    ASSERT_EQ(object->getNumChildren(), 3);
    const SoMaterial& set = *static_cast<SoMaterial*>(object->getChild(1));
    EXPECT_EQ(set.getName(), SbName("faceVertexColorSoMaterialSet"));

    const SbColor packed(0x30 / 255.0f, 0x20 / 255.0f, 0x10 / 255.0f);
    const SbColor entry0(0x20 / 255.0f, 0x40 / 255.0f, 0x80 / 255.0f);
    const SbColor blue(0, 0, 1);
    expectEntry(set, 0, {packed, packed, black, black, 0, 0});
    expectEntry(set, 1, {entry0, entry0, black, black, 0, 32768 / 65535.0f});
    const SbColor dimmed(entry0 * (63 / 127.0f));
    expectEntry(set, 2, {dimmed, dimmed, black, black, 0, 0});
    expectEntry(set, 3, {SbColor(0.2f, 0.2f, 0.2f), SbColor(0.8f, 0.8f, 0.8f), black, black, 0.2f, 0});
    const MaterialEntry shiny = {SbColor(0.5f, 0.5f, 0.5f), SbColor(1, 0.5f, 0.25f), SbColor(0.1f, 0.2f, 0.3f),
                                 SbColor(0.4f, 0.5f, 0.6f), 0.5f, 0.25f};
    expectEntry(set, 4, shiny);
    const SbColor green(0, 1, 0);
    expectEntry(set, 5, {shiny.ambient * green, shiny.diffuse * green, shiny.specular, shiny.emissive, 0.5f, 0});
    // From revision 15.4 the palette entry is the primary colour index / 128, without intensity.
    expectEntry(set, 6, {shiny.ambient * blue, shiny.diffuse * blue, shiny.specular, shiny.emissive, 0.5f, 0.25f});
    // Texture white needs a texture: without one the palette colour stands.
    expectEntry(set, 7, {shiny.ambient * blue, shiny.diffuse * blue, shiny.specular, shiny.emissive, 0.5f, 0.25f});
    const std::string faces = writeSceneToString(object->getChild(2));
    EXPECT_NE(faces.find("materialIndex [0, 1, 2, 3, 4, 5, 6, 7]"), std::string::npos) << faces;
}

TEST(GeometryConversion, OlderRevisionsAndPackedModeChooseTheColourTheirOwnWay)
{
    struct Case {
        int32_t revision;
        uint32_t headerFlags;
        FltFaceStyle style;
        SbColor colour; // the factor on the material's ambient and diffuse colours
    };
    const SbColor entry2(1, 0, 0), white(1, 1, 1);
    const std::vector<Case> cases = {
        {1500, 0, FltFaceStyle().colorName(2 * 128).colorIndex(128), entry2},     // colour name index
        {1570, 0x40000000, FltFaceStyle().packed(0xFF0000FF).colorIndex(128), entry2}, // packed mode
        // Before 15.0 the colour name index is the face's only colour index.
        {13, 0, FltFaceStyle().colorName(63), SbColor(white * (63 / 127.0f))},     // old intensity
        {1570, 0, FltFaceStyle().colorIndex(128).white(1).texture(4), white},     // texture white
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "revision " << c.revision << " flags " << c.headerFlags);
        FltTestWriter w;
        w.header(c.revision, c.headerFlags).colorPalette({0, 0xFFFF0000, 0xFF0000FF});
        w.material(0, "m", {1, 1, 1}, {0.5f, 0.5f, 0.5f});
        const std::vector<int32_t> triangle = colorTriangle(w);
        w.pushLevel().object("o").pushLevel();
        FltFaceStyle style = c.style;
        faceWith(w, style.material(0), triangle);
        w.popLevel().popLevel();
        ConvertedDatabase db(w);
        SoGroup* object = objectNamed(db, "o");
        ASSERT_NE(object, nullptr);
        const SoMaterial& set = *static_cast<SoMaterial*>(object->getChild(1));
        expectEntry(set, 0, {c.colour, SbColor(c.colour * 0.5f), black, black, 0, 0});
    }
}

TEST(GeometryConversion, FacesAreGroupedByKindSplitByTextureAndSubfacesOffset)
{
    FltTestWriter w;
    w.header(1570).texturePattern("brick.rgb", 2);
    w.vertexPalette().vertexColor(0, 0, 0).vertexColor(1, 0, 0).vertexColor(0, 1, 0);
    w.vertexColorNormal(0, 0, 1, {0, 0, 1}).vertexColorNormal(1, 0, 1, {0, 0, 1});
    w.vertexColorNormal(0, 1, 1, {0, 0, 1});
    const std::vector<int32_t> colour = {w.vertexOffset(0), w.vertexOffset(1), w.vertexOffset(2)};
    const std::vector<int32_t> normal = {w.vertexOffset(3), w.vertexOffset(4), w.vertexOffset(5)};
    w.pushLevel().object("o").pushLevel();
    faceWith(w, FltFaceStyle().texture(2), normal);
    faceWith(w, FltFaceStyle(), normal);
    w.pushSubface();
    faceWith(w, FltFaceStyle(), normal);
    w.popSubface();
    faceWith(w, FltFaceStyle().texture(2), normal);
    w.pushSubface(); // colour subface without colour faces: not emitted
    faceWith(w, FltFaceStyle(), colour);
    w.popSubface();
    w.popLevel().popLevel();
    ConvertedDatabase db(w);
    SoGroup* object = objectNamed(db, "o");
    ASSERT_NE(object, nullptr);
    std::string children;
    for (int i = 0; i < object->getNumChildren(); ++i)
        children += std::string(object->getChild(i)->getTypeId().getName().getString()) + " " +
                    object->getChild(i)->getName().getString() + "\n";
    EXPECT_EQ(children, "SoMaterialBinding \n"
                        "SoMaterial faceVertexColorNormalSoMaterialSet\n"
                        "SoIndexedFaceSet SoIFSVertexColorNormal\n"
                        "SoSeparator isolateTexturesNodes\n"
                        "SoPolygonOffset \n"
                        "SoMaterial subFaceVertexColorNormalSoMaterialSet\n"
                        "SoIndexedFaceSet SoIFSVertexColorNormal\n");
    const std::string untextured = writeSceneToString(object->getChild(2));
    EXPECT_NE(untextured.find("coordIndex [0, 1, 2, -1]\n  materialIndex [1]\n"), std::string::npos)
        << untextured;
    const std::string textured = writeSceneToString(object->getChild(3));
    EXPECT_NE(textured.find("filename \"brick.rgb\""), std::string::npos);
    EXPECT_NE(textured.find("coordIndex [0, 1, 2, -1, 0, 1, 2, -1]\n    materialIndex [0, 2]\n"),
              std::string::npos)
        << textured;
    const SoPolygonOffset* offset = static_cast<SoPolygonOffset*>(object->getChild(4));
    EXPECT_EQ(offset->factor.getValue(), -1.0f);
    EXPECT_EQ(offset->units.getValue(), -30.0f);
}

TEST(GeometryConversion, MixedAndMorphingVertexListsMakeOneFaceOrNone)
{
    FltTestWriter w;
    w.header(1570).vertexPalette();
    w.vertexColorUv(0, 0, 0, {0.5f, 0.5f});
    w.vertexColorNormalUv(1, 0, 0, {1, 0, 0}, {1, 0}).vertexColorNormalUv(0, 1, 0, {0, 1, 0}, {0, 1});
    w.vertexColor(0, 0, 5).vertexColor(1, 0, 5).vertexColor(0, 1, 5);
    const int32_t uv = w.vertexOffset(0), n1 = w.vertexOffset(1), n2 = w.vertexOffset(2);
    const int32_t c0 = w.vertexOffset(3), c1 = w.vertexOffset(4), c2 = w.vertexOffset(5);
    w.pushLevel().object("o").pushLevel();
    faceWith(w, FltFaceStyle(), {uv, n1, n2});         // kinds 3, 4, 4: one colour-normal-uv face
    faceWith(w, FltFaceStyle(), {c0, n1, n2});         // kinds 1, 4, 4: dropped
    w.face("m").pushLevel().morphVertexList({{n1, c0}, {n1, c1}, {n2, c2}}).popLevel();
    w.popLevel().popLevel();
    ConvertedDatabase db(w);
    EXPECT_EQ(db.warnings, std::vector<std::string>{"WARNING ! Remove a face having heterogeneous vertices"});
    EXPECT_EQ(db.levels, std::vector<int>{1});

    SoNode* normalUvNode = findNode(db.root, "vertexColorNormalUVProperty");
    ASSERT_NE(normalUvNode, nullptr);
    const SoVertexProperty& normalUv = *static_cast<SoVertexProperty*>(normalUvNode);
    // The colour-uv vertex joined the node with the mean normal of the other two.
    ASSERT_EQ(normalUv.vertex.getNum(), 3);
    EXPECT_EQ(normalUv.vertex[2], SbVec3f(0, 0, 0));
    EXPECT_EQ(normalUv.normal[2], SbVec3f(0.5f, 0.5f, 0));
    EXPECT_EQ(normalUv.texCoord[2], SbVec2f(0.5f, 0.5f));
    EXPECT_EQ(normalUv.orderedRGBA.getNum(), 0);
    const std::string scene = writeSceneToString(objectNamed(db, "o"));
    EXPECT_NE(scene.find("SoIndexedFaceSet \"SoIFSVertexColorNormalUV\""), std::string::npos);
    EXPECT_NE(scene.find("coordIndex [2, 0, 1, -1]"), std::string::npos) << scene;
    // The morph face takes its 100 % vertices: the colour kind.
    EXPECT_NE(scene.find("SoIndexedFaceSet \"SoIFSVertexColor\""), std::string::npos);
    EXPECT_NE(scene.find("coordIndex [0, 1, 2, -1]"), std::string::npos) << scene;
}

TEST(GeometryConversion, FacesOfOldVertexRecordsReachTheSceneOnce)
{
    FltTestWriter w;
    w.header(12).pushLevel().object("o").pushLevel();
    // Old vertices: three 32-bit integer coordinates, then two float texture coordinates.
    w.face("old").pushLevel();
    for (int i = 0; i < 3; ++i)
        w.record(7).i32(i).i32(i * 2).i32(0).f32(0.5f).f32(0.25f);
    w.popLevel();
    w.face("old2").pushLevel();
    for (int i = 0; i < 4; ++i)
        w.record(7).i32(10 + i).i32(0).i32(0).f32(0).f32(0);
    w.popLevel().popLevel().popLevel();
    ConvertedDatabase db(w);
    SoGroup* object = objectNamed(db, "o");
    ASSERT_NE(object, nullptr);
    const std::string scene = writeSceneToString(object);
    EXPECT_NE(scene.find("SoIndexedFaceSet \"OLD_VERTEX\" {\n    vertexProperty SoVertexProperty \"OLD_VERTEX\" {\n"
                         "      vertex [0 0 0, 1 2 0, 2 4 0, 10 0 0, 11 0 0, 12 0 0, 13 0 0]\n"
                         "      texCoord [0.5 0.25, 0.5 0.25, 0.5 0.25, 0 0, 0 0, 0 0, 0 0]\n    }\n"
                         "    coordIndex [0, 1, 2, -1, 3, 4, 5, 6, -1]\n"),
              std::string::npos)
        << scene;
    EXPECT_EQ(scene.find("OLD_VERTEX", scene.find("coordIndex")), std::string::npos);
}
