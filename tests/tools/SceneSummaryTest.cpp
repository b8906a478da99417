// The summary counts what a scene holds, each shared node once, and bounds
// it the way the scene places it.

#include <gtest/gtest.h>

#include "SceneSummary.h"
#include "Veldra.h"

TEST(SceneSummary, CountsSharedNodesOnceAndBoundsThroughTransforms)
{
    SoSeparator* root = new SoSeparator;
    root->ref();
    SoVertexProperty* vertices = new SoVertexProperty;
    vertices->vertex.set1Value(0, SbVec3f(0, 0, 0));
    vertices->vertex.set1Value(1, SbVec3f(1, 0, 0));
    vertices->vertex.set1Value(2, SbVec3f(0, 1, 0));
    vertices->vertex.set1Value(3, SbVec3f(5, 5, 5)); // referenced by no face
    SoIndexedFaceSet* faces = new SoIndexedFaceSet;
    faces->vertexProperty.setValue(vertices);
    const int32_t indices[] = {0, 1, 2, -1, 2, 1, 0};
    faces->coordIndex.setValues(0, 7, indices);

    SoSeparator* moved = new SoSeparator;
    SoScale* scale = new SoScale;
    scale->scaleFactor.setValue(SbVec3f(2, 2, 2));
    moved->addChild(scale);
    moved->addChild(faces);
    root->addChild(moved);
    root->addChild(faces); // shared: after the separator, unscaled

    const SceneSummary summary = summarizeScene(root);
    EXPECT_EQ(summary.nodesByType.at("SoSeparator"), 2);
    EXPECT_EQ(summary.nodesByType.at("SoIndexedFaceSet"), 1);
    EXPECT_EQ(summary.nodesByType.at("SoVertexProperty"), 1);
    EXPECT_EQ(summary.nodesByType.at("SoScale"), 1);
    EXPECT_EQ(summary.faces, 2);
    EXPECT_EQ(summary.vertices, 6);
    EXPECT_EQ(summary.boundingBox.getMin(), SbVec3f(0, 0, 0));
    EXPECT_EQ(summary.boundingBox.getMax(), SbVec3f(2, 2, 0));
    root->unref();

    EXPECT_TRUE(summarizeScene(nullptr).boundingBox.isEmpty());
}
