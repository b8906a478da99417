#include <gtest/gtest.h>

#include <sstream>

#include "Veldra.h"

namespace {

TEST(SoMField, GrowsAndShrinksWithFreshValues) {
    SoMFFloat values;
    EXPECT_TRUE(values.isDefault());
    values.set1Value(3, 4.0f);
    EXPECT_FALSE(values.isDefault());
    ASSERT_EQ(values.getNum(), 4);
    EXPECT_EQ(values[0], 0.0f);
    EXPECT_EQ(values[3], 4.0f);

    values.setNum(1);
    values.setNum(4);  // storage is reused: the old 4 must not come back
    EXPECT_EQ(values[3], 0.0f);

    const float run[] = {1.0f, 2.0f, 3.0f};
    values.setValues(2, 3, run);
    ASSERT_EQ(values.getNum(), 5);
    values.setValues(5, 5, values.getValues(0));  // from its own storage, which must grow
    const float expected[] = {0, 0, 1, 2, 3, 0, 0, 1, 2, 3};
    ASSERT_EQ(values.getNum(), 10);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(values[i], expected[i]) << i;

    values.deleteValues(1, 2);
    EXPECT_EQ(values.getNum(), 8);
    EXPECT_EQ(values[1], 2.0f);
    values.deleteValues(3);
    EXPECT_EQ(values.getNum(), 3);
    values.setValue(9.0f);
    EXPECT_EQ(values.getNum(), 1);

    // A large field cut down to a few values keeps them in smaller storage.
    values.setNum(100000);
    values.set1Value(2, 7.0f);
    values.setNum(3);
    ASSERT_EQ(values.getNum(), 3);
    EXPECT_EQ(values[0], 9.0f);
    EXPECT_EQ(values[2], 7.0f);
    values.set1Value(5, 1.0f);
    EXPECT_EQ(values[2], 7.0f);
    EXPECT_EQ(values[4], 0.0f);
}

TEST(SoMField, EditsInPlaceAndAdoptsArrays) {
    SoMFVec3f points;
    points.setNum(2);
    SbVec3f* editable = points.startEditing();
    editable[1].setValue(1.0f, 2.0f, 3.0f);
    points.finishEditing();
    EXPECT_EQ(points[1], SbVec3f(1.0f, 2.0f, 3.0f));

    // Each adopted array must be freed exactly once, by the field.
    points.setValuesPointer(3, new SbVec3f[3]{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
    EXPECT_EQ(points.getNum(), 3);
    EXPECT_EQ(points[2], SbVec3f(0.0f, 0.0f, 1.0f));
    points.set1Value(5, SbVec3f(5.0f, 5.0f, 5.0f));  // grows out of the adopted array
    EXPECT_EQ(points[0], SbVec3f(1.0f, 0.0f, 0.0f));
    points.setValuesPointer(1, new SbVec3f[1]);
    EXPECT_EQ(points.getNum(), 1);
}

TEST(SoSField, NodeFieldsStartDefaultUntilSet) {
    auto* scale = new SoScale;
    scale->ref();
    EXPECT_EQ(scale->scaleFactor.getValue(), SbVec3f(1.0f, 1.0f, 1.0f));
    EXPECT_TRUE(scale->scaleFactor.isDefault());
    scale->scaleFactor.setValue(1, 2, 3);
    EXPECT_FALSE(scale->scaleFactor.isDefault());
    EXPECT_EQ(scale->getField("scaleFactor"), &scale->scaleFactor);
    EXPECT_EQ(scale->getField("nothing"), nullptr);
    scale->unref();

    auto* material = new SoMaterial;
    material->ref();
    EXPECT_EQ(material->getNumFields(), 6);
    EXPECT_STREQ(material->getFieldName(1).getString(), "diffuseColor");
    EXPECT_EQ(material->diffuseColor[0], SbColor(0.8f, 0.8f, 0.8f));
    EXPECT_TRUE(material->diffuseColor.isDefault());
    material->unref();

    SoSFString text;
    text = "quoted \"x\"";
    std::ostringstream written;
    text.writeValue(written);
    EXPECT_EQ(written.str(), R"("quoted \"x\"")");
}

}  // namespace
