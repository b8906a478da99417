#include <gtest/gtest.h>

#include "LiveNode.h"

namespace {

TEST(SoBaseRefCount, LastUnrefDeletesButUnrefNoDeleteKeeps) {
    auto* node = new LiveNode;
    EXPECT_EQ(node->getRefCount(), 0);
    node->ref();
    node->ref();
    node->unref();
    EXPECT_EQ(LiveNode::live, 1);
    node->unref();
    EXPECT_EQ(LiveNode::live, 0);

    auto* handedBack = new LiveNode;
    handedBack->ref();
    handedBack->unrefNoDelete();
    EXPECT_EQ(handedBack->getRefCount(), 0);
    EXPECT_EQ(LiveNode::live, 1);
    handedBack->ref();
    handedBack->unref();
    EXPECT_EQ(LiveNode::live, 0);
}

TEST(SoBaseRefCount, GroupsShareChildrenAndReleaseThem) {
    auto* first = new SoSeparator;
    auto* second = new SoGroup;
    first->ref();
    second->ref();
    auto* shared = new LiveNode;
    auto* other = new LiveNode;
    first->addChild(shared);
    first->insertChild(other, 0);
    second->addChild(shared);
    EXPECT_EQ(shared->getRefCount(), 2);
    EXPECT_EQ(first->findChild(shared), 1);
    EXPECT_EQ(first->getChild(0), other);
    EXPECT_EQ(first->getChild(2), nullptr);

    first->removeChild(0);
    EXPECT_EQ(LiveNode::live, 1);
    first->unref();  // the other parent keeps the shared child
    EXPECT_EQ(LiveNode::live, 1);
    EXPECT_EQ(shared->getRefCount(), 1);
    second->unref();
    EXPECT_EQ(LiveNode::live, 0);
}

TEST(SoBaseRefCount, NodeFieldHoldsItsNodeUntilReplacedOrDestroyed) {
    auto* faces = new SoIndexedFaceSet;
    faces->ref();
    auto* held = new LiveNode;
    faces->vertexProperty = held;
    faces->vertexProperty = held;  // re-setting the same node must not free it
    EXPECT_EQ(held->getRefCount(), 1);
    faces->vertexProperty.setValue(new LiveNode);
    EXPECT_EQ(LiveNode::live, 1);
    faces->unref();
    EXPECT_EQ(LiveNode::live, 0);
}

}  // namespace
