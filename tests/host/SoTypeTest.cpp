#include <gtest/gtest.h>

#include "Veldra.h"

namespace {

TEST(SoType, BuiltinClassesFormAHierarchyFoundByName) {
    const SoType separator = SoSeparator::getClassTypeId();
    EXPECT_STREQ(separator.getName().getString(), "SoSeparator");
    EXPECT_EQ(separator.getParent(), SoGroup::getClassTypeId());
    EXPECT_TRUE(separator.isDerivedFrom(SoNode::getClassTypeId()));
    EXPECT_TRUE(separator.isDerivedFrom(SoBase::getClassTypeId()));
    EXPECT_FALSE(separator.isDerivedFrom(SoSwitch::getClassTypeId()));
    EXPECT_FALSE(SoGroup::getClassTypeId().isDerivedFrom(separator));
    EXPECT_NE(SoMaterialBinding::getClassTypeId(), SoNormalBinding::getClassTypeId());

    EXPECT_EQ(SoType::fromName("SoTextureCoordinateBinding"),
              SoTextureCoordinateBinding::getClassTypeId());
    EXPECT_TRUE(SoType::fromName("SoNoSuchNode").isBad());

    SoNode* asNode = new SoLOD;
    asNode->ref();
    EXPECT_EQ(asNode->getTypeId(), SoLOD::getClassTypeId());
    EXPECT_TRUE(asNode->isOfType(SoGroup::getClassTypeId()));
    asNode->unref();
}

TEST(SoType, FactoriesCreateInstancesOfConcreteTypesOnly) {
    const SoType material = SoType::fromName("SoMaterial");
    ASSERT_TRUE(material.canCreateInstance());
    auto* node = static_cast<SoNode*>(material.createInstance());
    node->ref();
    EXPECT_EQ(node->getTypeId(), SoMaterial::getClassTypeId());
    node->unref();

    EXPECT_FALSE(SoNode::getClassTypeId().canCreateInstance());
    EXPECT_EQ(SoNode::getClassTypeId().createInstance(), nullptr);
}

TEST(SoType, CustomTypesRegisterOnceAndCanBeRemoved) {
    const SoType widget = SoType::createType(SoNode::getClassTypeId(), "TestWidget", nullptr, 7);
    ASSERT_FALSE(widget.isBad());
    EXPECT_EQ(widget.getData(), 7);
    EXPECT_EQ(SoType::fromName("TestWidget"), widget);
    EXPECT_TRUE(SoType::createType(SoNode::getClassTypeId(), "TestWidget").isBad());
    EXPECT_TRUE(SoType::createType(SoNode::getClassTypeId(), "").isBad());

    EXPECT_TRUE(SoType::removeType("TestWidget"));
    EXPECT_FALSE(SoType::removeType("TestWidget"));
    EXPECT_TRUE(SoType::fromName("TestWidget").isBad());
    EXPECT_STREQ(widget.getName().getString(), "TestWidget");  // held handles stay usable

    const SoType again = SoType::createType(SoNode::getClassTypeId(), "TestWidget");
    EXPECT_FALSE(again.isBad());
    EXPECT_NE(again, widget);
}

}  // namespace
