#include "SoGetBoundingBoxAction.h"

#include "SoNode.h"

void SoGetBoundingBoxAction::apply(SoNode* root) {
    box_.makeEmpty();
    matrix_.makeIdentity();
    depth_ = 0;
    depthLimited_ = false;
    traverse(root);
}

void SoGetBoundingBoxAction::traverse(SoNode* node) {
    if (!node) return;
    if (depth_ >= kMaxDepth) {
        depthLimited_ = true;
        return;
    }
    ++depth_;
    node->getBoundingBox(this);
    --depth_;
}

void SoGetBoundingBoxAction::extendBy(const SbVec3f& localPoint) {
    SbVec3f world;
    matrix_.multVecMatrix(localPoint, world);
    box_.extendBy(world);
}
