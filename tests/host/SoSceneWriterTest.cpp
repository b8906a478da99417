#include <gtest/gtest.h>

#include <sstream>

#include "Veldra.h"

namespace {

TEST(SoSceneWriter, WritesSetFieldsAndLabelsSharedNodes) {
    auto* root = new SoSeparator;
    root->ref();
    root->setName("root");
    auto* material = new SoMaterial;
    material->diffuseColor.setValue(SbColor(1.0f, 0.5f, 0.25f));
    material->transparency.setNum(2);
    auto* vertices = new SoVertexProperty;
    vertices->vertex.set1Value(1, SbVec3f(1.5f, 2.0f, 1e-7f));
    vertices->orderedRGBA.setValue(0xff8000ffu);
    auto* faces = new SoIndexedFaceSet;
    faces->vertexProperty = vertices;
    faces->coordIndex.setValue(-1);
    auto* otherFaces = new SoIndexedFaceSet;
    otherFaces->vertexProperty = vertices;
    auto* choice = new SoSwitch;
    choice->whichChild = 0;
    choice->addChild(faces);
    root->addChild(material);
    root->addChild(choice);
    root->addChild(faces);
    root->addChild(otherFaces);
    auto* info = new SoInfo;
    info->string = "a \"b\"";
    root->addChild(info);

    const char* expected =
        "SoSeparator \"root\" {\n"
        "  SoMaterial {\n"
        "    diffuseColor [1 0.5 0.25]\n"
        "    transparency [0, 0]\n"
        "  }\n"
        "  SoSwitch {\n"
        "    whichChild 0\n"
        "    DEF _0 SoIndexedFaceSet {\n"
        "      vertexProperty DEF _1 SoVertexProperty {\n"
        "        vertex [0 0 0, 1.5 2 1e-07]\n"
        "        orderedRGBA [0xff8000ff]\n"
        "      }\n"
        "      coordIndex [-1]\n"
        "    }\n"
        "  }\n"
        "  USE _0\n"
        "  SoIndexedFaceSet {\n"
        "    vertexProperty USE _1\n"
        "  }\n"
        "  SoInfo {\n"
        "    string \"a \\\"b\\\"\"\n"
        "  }\n"
        "}\n";
    std::ostringstream out;
    out.precision(2);  // the caller's formatting must not leak into the text
    writeScene(out, root);
    EXPECT_EQ(out.str(), expected);
    EXPECT_EQ(writeSceneToString(root), expected);  // labels start over each time
    root->unref();
}

TEST(SoSceneWriter, CyclesEndInAReference) {
    auto* loop = new SoGroup;
    loop->ref();
    loop->addChild(loop);
    EXPECT_EQ(writeSceneToString(loop), "DEF _0 SoGroup {\n  USE _0\n}\n");
    loop->removeAllChildren();
    EXPECT_EQ(writeSceneToString(loop), "SoGroup {\n}\n");
    EXPECT_EQ(writeSceneToString(nullptr), "");
    loop->unref();
}

}  // namespace
