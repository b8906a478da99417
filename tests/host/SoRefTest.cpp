#include <gtest/gtest.h>

#include <utility>

#include "LiveNode.h"

namespace {

TEST(SoRef, HoldsFromConstructionToDestructionAndReset) {
    {
        const SoRef<LiveNode> held(new LiveNode);
        EXPECT_EQ(held->getRefCount(), 1);
        const SoRef<LiveNode> second(held.get());
        EXPECT_EQ(held->getRefCount(), 2);
    }
    EXPECT_EQ(LiveNode::live, 0);

    SoRef<LiveNode> held(new LiveNode);
    held.reset();
    EXPECT_FALSE(held);
    EXPECT_EQ(LiveNode::live, 0);
    held.reset();  // nothing held: nothing to give back
    const SoRef<LiveNode> none(nullptr);
    EXPECT_EQ(none.get(), nullptr);
}

TEST(SoRef, MovingHandsTheReferenceOverAndAssignmentLetsTheOldOneGo) {
    SoRef<LiveNode> first(new LiveNode);
    LiveNode* node = first.get();
    SoRef<LiveNode> moved(std::move(first));
    EXPECT_EQ(first.get(), nullptr);
    EXPECT_EQ(node->getRefCount(), 1);

    moved = SoRef<LiveNode>(new LiveNode);
    EXPECT_EQ(LiveNode::live, 1);  // the first node had no other holder
    SoRef<LiveNode>& alias = moved;
    moved = std::move(alias);
    EXPECT_EQ(moved->getRefCount(), 1);

    moved.reset();
    EXPECT_EQ(LiveNode::live, 0);
}

TEST(SoRef, ReleaseHandsAFreshObjectOnUncountedAndAdoptTakesACountedOneOver) {
    SoRef<LiveNode> built(new LiveNode);
    LiveNode* handed = built.release();
    EXPECT_EQ(built.get(), nullptr);
    EXPECT_EQ(handed->getRefCount(), 0);
    EXPECT_EQ(LiveNode::live, 1);

    handed->ref();
    {
        const SoRef<LiveNode> adopted = SoRef<LiveNode>::adopt(handed);
        EXPECT_EQ(handed->getRefCount(), 1);
    }
    EXPECT_EQ(LiveNode::live, 0);

    SoRef<LiveNode> empty;
    EXPECT_EQ(empty.release(), nullptr);
}

}  // namespace
