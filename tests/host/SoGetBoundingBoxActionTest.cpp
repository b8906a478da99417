#include <gtest/gtest.h>

#include "UnitFaces.h"
#include "Veldra.h"

namespace {

SbBox3f boundsOf(SoNode* root) {
    SoGetBoundingBoxAction action{SbViewportRegion()};
    action.apply(root);
    return action.getBoundingBox();
}

TEST(SoGetBoundingBoxAction, TransformsNestInsideSeparatorsOnly) {
    auto* root = new SoSeparator;
    root->ref();
    auto* inner = new SoSeparator;
    auto* scale = new SoScale;
    scale->scaleFactor.setValue(2, 2, 2);
    auto* move = new SoMatrixTransform;
    SbMatrix translate;
    translate.setTranslate(SbVec3f(10.0f, 0.0f, 0.0f));
    move->matrix = translate;
    inner->addChild(scale);
    inner->addChild(move);
    inner->addChild(unitFaces());  // moved first, then scaled: x in 20..22
    root->addChild(inner);
    root->addChild(unitFaces());  // untouched by the separator's transforms

    const SbBox3f box = boundsOf(root);
    EXPECT_EQ(box.getMin(), SbVec3f(0.0f, 0.0f, 0.0f));
    EXPECT_EQ(box.getMax(), SbVec3f(22.0f, 2.0f, 2.0f));

    auto* group = new SoGroup;  // a plain group lets its transform through
    auto* shrink = new SoScale;
    shrink->scaleFactor.setValue(0.5f, 0.5f, 0.5f);
    group->addChild(shrink);
    root->insertChild(group, 0);
    EXPECT_EQ(boundsOf(root).getMax(), SbVec3f(11.0f, 1.0f, 1.0f));
    auto* levels = new SoLOD;  // scopes its transform like a separator
    auto* grow = new SoScale;
    grow->scaleFactor.setValue(100.0f, 100.0f, 100.0f);
    levels->addChild(grow);
    root->insertChild(levels, 0);
    EXPECT_EQ(boundsOf(root).getMax(), SbVec3f(11.0f, 1.0f, 1.0f));
    root->unref();
}

TEST(SoGetBoundingBoxAction, SwitchesAndBadIndicesContributeNothing) {
    auto* root = new SoSwitch;
    root->ref();
    SoIndexedFaceSet* faces = unitFaces();
    faces->coordIndex.set1Value(3, 99);  // past the vertices: ignored
    auto* lifted = new SoSeparator;
    auto* lift = new SoMatrixTransform;
    SbMatrix up;
    up.setTranslate(SbVec3f(0.0f, 5.0f, 0.0f));
    lift->matrix = up;
    lifted->addChild(lift);
    lifted->addChild(unitFaces());
    root->addChild(faces);
    root->addChild(lifted);

    EXPECT_TRUE(boundsOf(root).isEmpty());  // whichChild defaults to none
    root->whichChild = 1;
    EXPECT_EQ(boundsOf(root).getMin(), SbVec3f(0.0f, 5.0f, 0.0f));
    root->whichChild = 2;  // past the children: nothing
    EXPECT_TRUE(boundsOf(root).isEmpty());
    root->whichChild = SO_SWITCH_ALL;
    SoGetBoundingBoxAction action{SbViewportRegion()};
    action.apply(root);
    EXPECT_EQ(action.getBoundingBox().getMax(), SbVec3f(1.0f, 6.0f, 1.0f));
    EXPECT_EQ(action.getCenter(), SbVec3f(0.5f, 3.0f, 0.5f));

    faces->vertexProperty = new SoInfo;  // not vertex data
    root->whichChild = 0;
    EXPECT_TRUE(boundsOf(root).isEmpty());
    root->unref();
}

TEST(SoGetBoundingBoxAction, CyclicSceneIsCutOff) {
    auto* loop = new SoGroup;
    loop->ref();
    loop->addChild(unitFaces());
    loop->addChild(loop);
    SoGetBoundingBoxAction action{SbViewportRegion()};
    action.apply(loop);
    EXPECT_TRUE(action.wasCutOff());
    EXPECT_EQ(action.getBoundingBox().getMax(), SbVec3f(1.0f, 1.0f, 1.0f));
    loop->removeChild(1);
    action.apply(loop);
    EXPECT_FALSE(action.wasCutOff());
    loop->unref();
}

}  // namespace
