#pragma once

#include <cstdint>
#include <unordered_set>
#include <vector>

#include "SbBox3f.h"
#include "SbMatrix.h"
#include "SbVec.h"
#include "SbViewportRegion.h"

class SoGroup;
class SoNode;

// Computes the world-space bounds of a scene. Nodes take part through
// SoNode::getBoundingBox(): leaves use the matrix and box calls below, groups
// name the children to visit with traverseChildren(). The action keeps its
// own stack of open groups, so a scene of any depth is walked in constant
// call-stack space and its box is exact.
class SoGetBoundingBoxAction {
public:
    // Node visits allowed per apply(). Shared nodes are visited once per
    // path, so nested instancing could otherwise take exponential time; no
    // real scene comes near this.
    static constexpr int64_t kMaxVisits = int64_t(1) << 26;

    explicit SoGetBoundingBoxAction(const SbViewportRegion& viewport) : viewport_(viewport) {}

    void apply(SoNode* root);  // a null root gives an empty box
    const SbBox3f& getBoundingBox() const { return box_; }
    SbVec3f getCenter() const { return box_.getCenter(); }
    const SbViewportRegion& getViewportRegion() const { return viewport_; }
    // True when the last apply() skipped part of the scene: a group that
    // contains itself (its repeated visit is skipped), or more than
    // kMaxVisits visits (the rest is skipped). The box covers what was visited.
    bool wasCutOff() const { return cutOff_; }
    // Nodes visited by the last apply(), shared ones once per path.
    int64_t getVisitCount() const { return visits_; }

    // Used by nodes during traversal.
    const SbMatrix& getMatrix() const { return matrix_; }
    void concatMatrix(const SbMatrix& m) { matrix_.multLeft(m); }
    void extendBy(const SbVec3f& localPoint);
    // Called at most once by a group's getBoundingBox(): the children
    // [first, end) are visited in order after that call returns. With
    // restoreMatrix, the matrix in effect now is restored after them, so
    // their transforms do not reach the group's later siblings.
    void traverseChildren(const SoGroup* group, int first, int end, bool restoreMatrix);

private:
    struct OpenGroup {
        const SoGroup* group;
        int next;
        int end;
        bool restoresMatrix;  // to the top of savedMatrices_
    };

    void visit(SoNode* node);

    SbViewportRegion viewport_;
    SbBox3f box_;
    SbMatrix matrix_;
    std::vector<OpenGroup> open_;
    std::vector<SbMatrix> savedMatrices_;
    std::unordered_set<const SoGroup*> onPath_;  // the groups in open_
    int64_t visits_ = 0;
    bool cutOff_ = false;
};
