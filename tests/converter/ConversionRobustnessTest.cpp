// Hostile and broken databases: deep nesting, reference cycles, indices that
// point nowhere. Each converts, reports what it skipped, and frees its scene.

#include <gtest/gtest.h>

#include <atomic>
#include <sstream>

#include "ConvertedDatabase.h"

TEST(ConversionRobustness, TwentyThousandNestedLevelsConvertPrintAndRelease)
{
    constexpr int depth = 20000;
    for (const bool lods : {false, true}) {
        SCOPED_TRACE(lods ? "levels of detail" : "groups");
        FltTestWriter w;
        w.header(1570).vertexPalette().vertexColor(0, 0, 0).vertexColor(1, 0, 0).vertexColor(0, 1, 0);
        const std::vector<int32_t> triangle = {w.vertexOffset(0), w.vertexOffset(1), w.vertexOffset(2)};
        w.pushLevel();
        for (int i = 0; i < depth; ++i) {
            if (lods)
                w.lod("l", 100, 0);
            else
                w.group("g");
            w.pushLevel();
        }
        w.object("o").pushLevel().face("f").pushLevel().vertexList(triangle).popLevel().popLevel();
        for (int i = 0; i <= depth; ++i)
            w.popLevel();
        ConvertedDatabase db(w);
        ASSERT_TRUE(db.converted);
        // Every level of detail measures all it holds: nested this deep, the
        // outer ones keep the centre they were given rather than take ages.
        if (lods)
            EXPECT_EQ(db.warnings, std::vector<std::string>{"WARNING ! too many nested levels of detail: the "
                                                            "remaining centres stay at the origin"});
        else
            EXPECT_TRUE(db.warnings.empty());
        const SbBox3f box = db.bounds();
        EXPECT_EQ(box.getMin(), SbVec3f(0, 0, 0));
        EXPECT_EQ(box.getMax(), SbVec3f(1, 1, 0));
        std::ostringstream text;
        writeScene(text, db.root);
        EXPECT_GT(text.str().size(), std::size_t(depth) * 10);
    } // each root is released here, all twenty thousand levels of it
}

TEST(ConversionRobustness, ReferenceCyclesEndWithAWarning)
{
    ScratchDir dir;
    FltTestWriter a;
    a.header(1570).pushLevel().group("a").externalReference("b.flt").popLevel();
    dir.write("a.flt", a.bytes());
    FltTestWriter b;
    b.header(1570).pushLevel().externalReference("a.flt").externalReference("./b.flt").popLevel();
    dir.write("b.flt", b.bytes());
    ConvertedDatabase db(dir, "a.flt");
    ASSERT_TRUE(db.converted);
    // b is converted inside a; its references back to a and to itself are not followed.
    EXPECT_EQ(db.levels, (std::vector<int>{3, 3}));
    for (const std::string& warning : db.warnings)
        EXPECT_NE(warning.find("leads back to a file being converted"), std::string::npos) << warning;
    EXPECT_NE(findNode(db.root, "a"), nullptr);
}

TEST(ConversionRobustness, IndicesThatPointNowhereAreSkippedOrReported)
{
    FltTestWriter w;
    w.header(1570).colorPalette({0xFF0000FF}).material(0, "m", {1, 1, 1}, {1, 1, 1});
    w.vertexPalette().vertexColor(0, 0, 0).vertexColor(1, 0, 0).vertexColor(0, 1, 0);
    const std::vector<int32_t> triangle = {w.vertexOffset(0), w.vertexOffset(1), w.vertexOffset(2)};
    w.popLevel(); // nothing open yet
    w.pushLevel().instanceReference(7).object("o").pushLevel();
    w.face("nowhere").pushLevel().vertexList({1000, 2000, 3000}).popLevel();
    w.face("badMaterial", FltFaceStyle().material(40)).pushLevel().vertexList(triangle).popLevel();
    w.face("badColor", FltFaceStyle().colorIndex(5000 * 128)).pushLevel().vertexList(triangle).popLevel();
    w.face("noTexture", FltFaceStyle().texture(12)).pushLevel().vertexList(triangle).popLevel();
    w.popLevel();
    w.instanceDefinition(1).pushLevel().instanceReference(1).popLevel(); // inside itself
    // A Push Level after the Pop Level reopens the node made last inside.
    w.instanceDefinition(2).pushLevel().group("inside").popLevel().pushLevel().instanceReference(2).popLevel();
    w.popLevel().popLevel();
    ConvertedDatabase db(w);
    ASSERT_TRUE(db.converted);
    const std::vector<std::string> expected = {
        "WARNING ! trying a pop() but stack is empty! (File corrupted ?)",
        "WARNING ! This SoVertexProperty hasn t any id,  UNDEFINED_SO_VERTEX_PROPERTY_ID will be returned",
        "WARNING ! This SoVertexProperty hasn t any id,  UNDEFINED_SO_VERTEX_PROPERTY_ID will be returned",
        "WARNING ! This SoVertexProperty hasn t any id,  UNDEFINED_SO_VERTEX_PROPERTY_ID will be returned",
        "WARNING ! instance 1 referenced inside its own definition is ignored",
        "WARNING ! instance 2 referenced inside its own definition is ignored",
        "WARNING ! trying a pop() but stack is empty! (File corrupted ?)"};
    EXPECT_EQ(db.warnings, expected);
    // The bad colour index has no material entry and says so in the transcript.
    EXPECT_NE(db.log.find("bad color index\n"), std::string::npos);
    // Three faces remain; the one whose texture is missing stands apart, untextured.
    SoGroup* object = dynamic_cast<SoGroup*>(findNode(db.root, "o"));
    ASSERT_NE(object, nullptr);
    const std::string scene = writeSceneToString(object);
    EXPECT_NE(scene.find("coordIndex [0, 1, 2, -1, 0, 1, 2, -1]"), std::string::npos) << scene;
    EXPECT_NE(scene.find("SoSeparator \"isolateTexturesNodes\" {\n    SoIndexedFaceSet"), std::string::npos)
        << scene;
}
