// Meshes with the extended record set on: primitives expanded into the face
// sets of their object, local vertices appended to the shared vertex nodes,
// a mesh's appearance taken as a face's; with it off, the scene of today and
// one hint. Broken mesh records are reported once each and skipped.

#include <gtest/gtest.h>

#include "ConvertedDatabase.h"
#include "FltExtendedRecords.h"

namespace {

// The extended record set for one test.
struct ExtendedRecordsOn {
    ExtendedRecordsOn() { setFltExtendedRecords(true); }
    ~ExtendedRecordsOn() { setFltExtendedRecords(false); }
};

using W = FltTestWriter;

std::vector<FltLocalVertex> row(int count, double z = 0)
{
    std::vector<FltLocalVertex> vertices(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        vertices[static_cast<std::size_t>(i)].position = {double(i / 2), double(i % 2), z};
        vertices[static_cast<std::size_t>(i)].normal = {0, 0, 1};
        vertices[static_cast<std::size_t>(i)].uv[0] = {float(i), 0.5f};
        vertices[static_cast<std::size_t>(i)].packedColor = 0xFF0000FF; // alpha, blue, green, red: opaque red
    }
    return vertices;
}

// A database of one colour triangle in the palette and, in object "o", a
// face on it and then `mesh` (written by the caller).
template <class Mesh>
std::vector<uint8_t> databaseWithMesh(Mesh mesh)
{
    FltTestWriter w;
    w.header(1570).vertexPalette().vertexColor(0, 0, 0).vertexColor(1, 0, 0).vertexColor(0, 1, 0);
    const std::vector<int32_t> triangle = {w.vertexOffset(0), w.vertexOffset(1), w.vertexOffset(2)};
    w.pushLevel().object("o").pushLevel();
    w.face("f").pushLevel().vertexList(triangle).popLevel();
    mesh(w);
    w.popLevel().popLevel();
    return w.bytes();
}

std::string objectScene(const ConvertedDatabase& db)
{
    SoNode* object = findNode(db.root, "o");
    return object ? writeSceneToString(object) : "no object";
}

} // namespace

TEST(MeshConversion, EachPrimitiveTypeBecomesFacesWithItsWindingKept)
{
    ExtendedRecordsOn on;
    ScratchDir dir;
    dir.write("db.flt", databaseWithMesh([](W& w) {
        w.mesh("m").localVertexPool(W::positionAttribute, row(6)).pushLevel();
        w.meshPrimitive(1, 4, {0, 1, 2, 3, 4, 5});    // strip: 012 213 234 435
        w.meshPrimitive(2, 4, {0, 1, 3, 5});          // fan: 013 035
        w.meshPrimitive(3, 4, {0, 1, 2, 3, 4, 5});    // quadrilateral strip: 0132 2354
        w.meshPrimitive(4, 4, {5, 4, 2, 0, 1});       // indexed polygon as it is
        w.meshPrimitive(1, 4, {0, 1, 1, 2});          // a joint: 011 and 112 have no area
        w.popLevel();
    }));
    ConvertedDatabase db(dir, "db.flt");
    EXPECT_TRUE(db.warnings.empty());
    // The pool follows the palette's three vertices in the colour node.
    const std::string scene = objectScene(db);
    EXPECT_NE(scene.find("coordIndex [0, 1, 2, -1, "
                         "3, 4, 5, -1, 5, 4, 6, -1, 5, 6, 7, -1, 7, 6, 8, -1, "
                         "3, 4, 6, -1, 3, 6, 8, -1, "
                         "3, 4, 6, 5, -1, 5, 6, 8, 7, -1, "
                         "8, 7, 5, 3, 4, -1]\n"
                         "    materialIndex [0, 1, 2, 3, 4, 5, 6, 7, 8, 9]"),
              std::string::npos)
        << scene;
    const auto* colour = static_cast<SoVertexProperty*>(findNode(db.root, "vertexColorProperty"));
    ASSERT_NE(colour, nullptr);
    ASSERT_EQ(colour->vertex.getNum(), 9);
    EXPECT_EQ(colour->vertex[8], SbVec3f(2, 1, 0));
    const SbBox3f box = db.bounds();
    EXPECT_EQ(box.getMin(), SbVec3f(0, 0, 0));
    EXPECT_EQ(box.getMax(), SbVec3f(2, 1, 0));
}

TEST(MeshConversion, IndexSizesAndMasksPlaceTheVerticesInTheirKindsNode)
{
    ExtendedRecordsOn on;
    // Layouts that move the fields, each in the node of its kind.
    const struct {
        uint32_t mask;
        const char* faceSet;
    } kinds[] = {
        {W::positionAttribute | W::colorIndexAttribute, "SoIFSVertexColor"},
        {W::positionAttribute | W::packedColorAttribute | W::normalAttribute, "SoIFSVertexColorNormal"},
        {W::positionAttribute | W::baseUvAttribute | W::uvLayerAttribute(3), "SoIFSVertexColorUV"},
        {W::positionAttribute | W::colorIndexAttribute | W::packedColorAttribute | W::normalAttribute |
             W::baseUvAttribute | W::uvLayerAttribute(7),
         "SoIFSVertexColorNormalUV"},
    };
    for (const auto& kind : kinds) {
        for (uint16_t indexSize : {1, 2, 4}) {
            SCOPED_TRACE(testing::Message() << kind.faceSet << " index size " << indexSize);
            ScratchDir dir;
            dir.write("db.flt", databaseWithMesh([&](W& w) {
                w.mesh("m").localVertexPool(kind.mask, row(4, 7)).pushLevel();
                w.meshPrimitive(2, indexSize, {3, 2, 0}).popLevel();
            }));
            ConvertedDatabase db(dir, "db.flt");
            EXPECT_TRUE(db.warnings.empty());
            const auto* faceSet = static_cast<SoIndexedFaceSet*>(findNode(db.root, kind.faceSet));
            ASSERT_NE(faceSet, nullptr);
            const auto* node = static_cast<SoVertexProperty*>(faceSet->vertexProperty.getValue());
            ASSERT_NE(node, nullptr);
            const int first = node->vertex.getNum() - 4;
            EXPECT_EQ(node->vertex[first + 3], SbVec3f(1, 1, 7));
            if (node->normal.getNum() > 0) {
                EXPECT_EQ(node->normal[first + 3], SbVec3f(0, 0, 1));
            }
            if (node->texCoord.getNum() > 0) {
                EXPECT_EQ(node->texCoord[first + 3], SbVec2f(3, 0.5f));
            }
            // Kept beside the scene for the glTF export: the packed colour, or white without one.
            ASSERT_EQ(node->vertexColors.size(), static_cast<std::size_t>(node->vertex.getNum()));
            if (kind.mask & W::packedColorAttribute) {
                EXPECT_EQ(node->vertexColors[first + 3], 0xFF0000FFu);
            } else if (!(kind.mask & W::colorIndexAttribute)) {
                EXPECT_EQ(node->vertexColors[first + 3], 0xFFFFFFFFu);
            }
            const std::string faces = std::to_string(first + 3) + ", " + std::to_string(first + 2) + ", " +
                                      std::to_string(first) + ", -1]";
            const std::string scene = writeSceneToString(const_cast<SoIndexedFaceSet*>(faceSet));
            EXPECT_NE(scene.find(faces), std::string::npos) << scene;
        }
    }
}

TEST(MeshConversion, AMeshIsDrawnAsAFaceIs)
{
    ExtendedRecordsOn on;
    FltTestWriter w;
    w.header(1570).texturePattern("roof.rgb", 4).vertexPalette().vertexColor(0, 0, 0);
    const FltFaceStyle red = FltFaceStyle().withFlags(FltFaceStyle::packedColor).packed(0xFF0000FF);
    w.pushLevel().object("o").pushLevel();
    w.mesh("roof", FltFaceStyle(red).texture(4)).localVertexPool(W::positionAttribute, row(4, 3));
    w.pushLevel().meshPrimitive(4, 2, {0, 1, 3, 2}).popLevel();
    w.pushSubface();
    w.mesh("sign", red).localVertexPool(W::positionAttribute, row(3, 3));
    w.pushLevel().meshPrimitive(2, 1, {0, 1, 2}).popLevel();
    w.popSubface();
    w.popLevel().popLevel();
    // A mesh outside every object stands as free faces do.
    w.pushLevel().group("g").pushLevel();
    w.mesh("free").localVertexPool(W::positionAttribute, row(3, -2));
    w.pushLevel().meshPrimitive(1, 4, {0, 1, 2}).popLevel();
    w.popLevel().popLevel();
    ConvertedDatabase db(w);
    EXPECT_TRUE(db.warnings.empty());

    const std::string scene = objectScene(db);
    const std::size_t textured = scene.find("SoSeparator \"isolateTexturesNodes\"");
    ASSERT_NE(textured, std::string::npos) << scene;
    EXPECT_NE(scene.find("filename \"roof.rgb\"", textured), std::string::npos);
    EXPECT_NE(scene.find("coordIndex [1, 2, 4, 3, -1]", textured), std::string::npos) << scene;
    const std::size_t subfaces = scene.find("SoPolygonOffset");
    ASSERT_NE(subfaces, std::string::npos) << scene;
    EXPECT_NE(scene.find("coordIndex [5, 6, 7, -1]", subfaces), std::string::npos) << scene;
    const auto* material = static_cast<SoMaterial*>(findNode(db.root, "subFaceVertexColorSoMaterialSet"));
    ASSERT_NE(material, nullptr);
    EXPECT_EQ(material->diffuseColor[0], SbColor(1, 0, 0));

    SoNode* group = findNode(db.root, "g");
    ASSERT_NE(group, nullptr);
    EXPECT_NE(writeSceneToString(group).find("coordIndex [8, 9, 10, -1]"), std::string::npos);
    const SbBox3f box = db.bounds();
    EXPECT_EQ(box.getMin(), SbVec3f(0, 0, -2));
    EXPECT_EQ(box.getMax(), SbVec3f(1, 1, 3));
}

TEST(MeshConversion, APoolGoesOnInTheContinuationRecordsThatFollowIt)
{
    ExtendedRecordsOn on;
    ScratchDir dir;
    dir.write("db.flt", databaseWithMesh([](W& w) {
        w.mesh("m").record(85).u32(4).u32(W::positionAttribute);
        w.f64(0).f64(0).f64(1).f64(1).f64(0).f64(1);
        w.record(23).f64(0).f64(1).f64(1);
        w.record(23).f64(1).f64(1).f64(1);
        w.pushLevel().meshPrimitive(4, 1, {0, 1, 3, 2}).popLevel();
    }));
    ConvertedDatabase db(dir, "db.flt");
    EXPECT_TRUE(db.warnings.empty());
    EXPECT_NE(db.log.find("-- Opcode: 85  Length: 108 --\nvertexCount: 4\n"), std::string::npos);
    EXPECT_NE(objectScene(db).find("coordIndex [0, 1, 2, -1, 3, 4, 6, 5, -1]"), std::string::npos)
        << objectScene(db);
}

TEST(MeshConversion, WithoutTheExtendedSetTheSceneIsTodaysAndOneHintSaysWhy)
{
    const auto mesh = [](W& w) {
        w.mesh("m").localVertexPool(W::positionAttribute, row(4)).pushLevel();
        w.meshPrimitive(1, 4, {0, 1, 2, 3}).meshPrimitive(2, 4, {0, 1, 2}).popLevel();
    };
    ScratchDir dir;
    dir.write("mesh.flt", databaseWithMesh(mesh));
    dir.write("plain.flt", databaseWithMesh([](W&) {}));
    ConvertedDatabase withMesh(dir, "mesh.flt");
    ConvertedDatabase plain(dir, "plain.flt");
    EXPECT_EQ(withMesh.scene(), plain.scene());
    EXPECT_EQ(withMesh.warnings,
              std::vector<std::string>{
                  "4 records of this database are read only with the extended record set (opcodes 84, 85, 86)"});
    EXPECT_EQ(withMesh.levels, std::vector<int>{1});
    EXPECT_EQ(getFltExtendedRecordsMissed(), 0); // the last conversion was the plain one
    EXPECT_NE(withMesh.log.find("\n UNKNOWN RECORD \n  ()\n-- Opcode: 84 "), std::string::npos)
        << withMesh.log.substr(0, 2000);
    EXPECT_TRUE(plain.warnings.empty());
}

TEST(MeshConversion, BrokenMeshRecordsAreReportedOnceEachAndSkipped)
{
    ExtendedRecordsOn on;
    FltTestWriter w;
    w.header(1570).pushLevel().object("o").pushLevel();
    for (int twice = 0; twice < 2; ++twice) {
        w.mesh("early").pushLevel().meshPrimitive(4, 4, {0, 1, 2}).popLevel(); // no pool yet
        w.mesh("m").localVertexPool(W::positionAttribute, row(4)).pushLevel();
        w.meshPrimitive(4, 4, {0, 1, 2});                         // good
        w.record(86).i16(4).u16(3).u32(3).bytes({0, 0, 1, 0, 0, 2, 0, 0, 3}); // index size 3
        w.record(86).i16(4).u16(2).u32(300).u16(0).u16(1).u16(2); // 300 announced, 3 there
        w.meshPrimitive(2, 2, {0, 1, 4});                         // index 4 of a pool of 4
        w.meshPrimitive(9, 1, {0, 1, 2});                         // no such type
        w.meshPrimitive(1, 1, {0, 1});                            // a strip of two
        w.meshPrimitive(3, 1, {0, 1, 2});                         // a quadrilateral strip of three
        w.popLevel();
        w.mesh("noPositions").localVertexPool(W::normalAttribute, row(3)).pushLevel();
        w.meshPrimitive(4, 1, {0, 1, 2}).popLevel();
        w.mesh("short").record(85).u32(3).u32(W::positionAttribute).f64(5).f64(5).f64(5).f64(6);
        w.pushLevel().meshPrimitive(4, 1, {0, 1, 2}).popLevel();
    }
    w.popLevel().popLevel();
    ConvertedDatabase db(w);
    EXPECT_EQ(db.warnings,
              (std::vector<std::string>{
                  "WARNING ! Mesh primitives before any local vertex pool are skipped",
                  "WARNING ! Mesh primitives with an index size other than 1, 2 or 4 are skipped",
                  "WARNING ! Mesh primitives holding fewer indices than their vertex count are skipped",
                  "WARNING ! Mesh primitives with indices outside their local vertex pool are skipped",
                  "WARNING ! Mesh primitives of an unknown type are skipped",
                  "WARNING ! Mesh primitives with too few vertices for their type are skipped",
                  "WARNING ! Local vertex pools without positions are skipped",
                  "WARNING ! Local vertex pools that hold fewer vertices than their count and attribute "
                  "mask name keep the whole vertices they hold"}));
    EXPECT_EQ(db.levels, (std::vector<int>{2, 2, 2, 2, 2, 2, 2, 1}));
    // What is left: the good triangle of each pass.
    EXPECT_NE(objectScene(db).find("coordIndex [0, 1, 2, -1, 5, 6, 7, -1]\n"), std::string::npos)
        << objectScene(db);
}
