#include <gtest/gtest.h>

#include "Veldra.h"

namespace {

TEST(SbColor, PackedValueRoundTripsThroughTransparency) {
    SbColor color;
    float transparency = -1.0f;
    color.setPackedValue(0xff804000u, transparency);
    EXPECT_FLOAT_EQ(color[0], 1.0f);
    EXPECT_FLOAT_EQ(color[1], 128.0f / 255.0f);
    EXPECT_FLOAT_EQ(color[2], 64.0f / 255.0f);
    EXPECT_FLOAT_EQ(transparency, 1.0f);  // alpha 0

    for (uint32_t packed : {0x336699ccu, 0x000000ffu, 0xffffff01u}) {
        color.setPackedValue(packed, transparency);
        EXPECT_EQ(color.getPackedValue(transparency), packed);
    }
    EXPECT_EQ(SbColor(2.0f, -1.0f, 0.5f).getPackedValue(), 0xff0080ffu);  // clamped
    EXPECT_EQ(SbColor(0.5f, 1.0f, 1.0f) * SbColor(0.5f, 0.25f, 0.0f),
              SbColor(0.25f, 0.25f, 0.0f));
}

TEST(SbMatrix, PointsAreRowVectorsAndProductsApplyLeftFirst) {
    SbMatrix scale, translate;
    scale.setScale(SbVec3f(2.0f, 2.0f, 2.0f));
    translate.setTranslate(SbVec3f(1.0f, 0.0f, 0.0f));
    EXPECT_EQ(translate[3][0], 1.0f);

    SbVec3f out;
    (scale * translate).multVecMatrix(SbVec3f(1.0f, 1.0f, 1.0f), out);  // scale, then move
    EXPECT_EQ(out, SbVec3f(3.0f, 2.0f, 2.0f));

    SbMatrix built = scale;
    built.multRight(translate);
    EXPECT_EQ(built, scale * translate);
    built = scale;
    built.multLeft(translate);
    EXPECT_EQ(built, translate * scale);

    const float homogeneous[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {4, 0, 0, 2}};
    SbMatrix(homogeneous).multVecMatrix(SbVec3f(2.0f, 2.0f, 2.0f), out);
    EXPECT_EQ(out, SbVec3f(3.0f, 1.0f, 1.0f));
    translate.multDirMatrix(SbVec3f(0.0f, 1.0f, 0.0f), out);
    EXPECT_EQ(out, SbVec3f(0.0f, 1.0f, 0.0f));
}

TEST(SbBox3f, ExtendsAndTransformsByCorners) {
    SbBox3f box;
    EXPECT_TRUE(box.isEmpty());
    box.extendBy(SbBox3f());  // an empty box adds nothing
    EXPECT_TRUE(box.isEmpty());
    box.extendBy(SbVec3f(1.0f, 2.0f, 3.0f));
    box.extendBy(SbVec3f(-1.0f, 0.0f, 5.0f));
    EXPECT_EQ(box.getMin(), SbVec3f(-1.0f, 0.0f, 3.0f));
    EXPECT_EQ(box.getSize(), SbVec3f(2.0f, 2.0f, 2.0f));
    EXPECT_EQ(box.getCenter(), SbVec3f(0.0f, 1.0f, 4.0f));

    const float quarterTurnZ[4][4] = {{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
    box.transform(SbMatrix(quarterTurnZ));  // (x, y) -> (-y, x)
    EXPECT_EQ(box.getMin(), SbVec3f(-2.0f, -1.0f, 3.0f));
    EXPECT_EQ(box.getMax(), SbVec3f(0.0f, 1.0f, 5.0f));
}

TEST(SbString, EditsAndSearches) {
    SbString path("Models/Tree.RGB");
    EXPECT_EQ(path.lower(), "models/tree.rgb");
    EXPECT_EQ(path.getSubString(7, 10), "Tree");  // end is inclusive
    EXPECT_EQ(path.getSubString(12), "RGB");
    EXPECT_EQ(path.find("."), 11);
    EXPECT_EQ(path.find("x"), -1);
    path += "+alpha";
    EXPECT_EQ(path.getLength(), 21);
    EXPECT_TRUE(!SbName(""));
    EXPECT_EQ(SbName(SbString("lod")), SbName("lod"));
}

}  // namespace
