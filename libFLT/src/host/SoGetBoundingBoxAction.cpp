#include "SoGetBoundingBoxAction.h"

#include <algorithm>

#include "SoGroup.h"
#include "SoNode.h"

void SoGetBoundingBoxAction::apply(SoNode* root) {
    box_.makeEmpty();
    matrix_.makeIdentity();
    open_.clear();
    savedMatrices_.clear();
    onPath_.clear();
    visits_ = 0;
    cutOff_ = false;

    visit(root);
    while (!open_.empty()) {
        OpenGroup& top = open_.back();
        if (top.next < top.end) {
            // visit() may open another group: top is not used past this point.
            visit(top.group->getChild(top.next++));
            continue;
        }
        if (top.restoresMatrix) {
            matrix_ = savedMatrices_.back();
            savedMatrices_.pop_back();
        }
        onPath_.erase(top.group);
        open_.pop_back();
    }
}

void SoGetBoundingBoxAction::visit(SoNode* node) {
    if (!node) return;
    if (visits_ >= kMaxVisits) {
        cutOff_ = true;
        open_.clear();  // ends the walk; the matrix no longer matters
        savedMatrices_.clear();
        onPath_.clear();
        return;
    }
    ++visits_;
    node->getBoundingBox(this);
}

void SoGetBoundingBoxAction::traverseChildren(const SoGroup* group, int first, int end,
                                              bool restoreMatrix) {
    first = std::max(first, 0);
    end = std::min(end, group->getNumChildren());
    if (first >= end) return;
    if (!onPath_.insert(group).second) {
        cutOff_ = true;  // the group lies below itself
        return;
    }
    if (restoreMatrix) savedMatrices_.push_back(matrix_);
    open_.push_back({group, first, end, restoreMatrix});
}

void SoGetBoundingBoxAction::extendBy(const SbVec3f& localPoint) {
    SbVec3f world;
    matrix_.multVecMatrix(localPoint, world);
    box_.extendBy(world);
}
