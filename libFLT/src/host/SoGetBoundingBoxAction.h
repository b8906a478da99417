#pragma once

#include "SbBox3f.h"
#include "SbMatrix.h"
#include "SbVec.h"
#include "SbViewportRegion.h"

class SoNode;

// Computes the world-space bounds of a scene. Nodes take part through
// SoNode::getBoundingBox(), using the matrix and box calls below.
class SoGetBoundingBoxAction {
public:
    // Deeper than this the scene is taken to be cyclic and is cut off.
    static constexpr int kMaxDepth = 10000;

    explicit SoGetBoundingBoxAction(const SbViewportRegion& viewport) : viewport_(viewport) {}

    void apply(SoNode* root);
    const SbBox3f& getBoundingBox() const { return box_; }
    SbVec3f getCenter() const { return box_.getCenter(); }
    const SbViewportRegion& getViewportRegion() const { return viewport_; }
    // True when the last apply() met a path deeper than kMaxDepth.
    bool wasDepthLimited() const { return depthLimited_; }

    // Used by nodes during traversal.
    void traverse(SoNode* node);  // a null node is skipped
    const SbMatrix& getMatrix() const { return matrix_; }
    void concatMatrix(const SbMatrix& m) { matrix_.multLeft(m); }
    void extendBy(const SbVec3f& localPoint);

    // Restores the current matrix when it goes out of scope.
    class MatrixScope {
    public:
        explicit MatrixScope(SoGetBoundingBoxAction& action)
            : action_(action), saved_(action.matrix_) {}
        ~MatrixScope() { action_.matrix_ = saved_; }
        MatrixScope(const MatrixScope&) = delete;
        MatrixScope& operator=(const MatrixScope&) = delete;

    private:
        SoGetBoundingBoxAction& action_;
        SbMatrix saved_;
    };

private:
    SbViewportRegion viewport_;
    SbBox3f box_;
    SbMatrix matrix_;
    int depth_ = 0;
    bool depthLimited_ = false;
};
