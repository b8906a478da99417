#pragma once

#include "SbMatrix.h"
#include "SbVec.h"

// Axis-aligned box; empty until something extends it.
class SbBox3f {
public:
    SbBox3f() { makeEmpty(); }
    SbBox3f(const SbVec3f& min, const SbVec3f& max) : min_(min), max_(max) {}

    void makeEmpty();
    bool isEmpty() const { return max_[0] < min_[0]; }
    void extendBy(const SbVec3f& point);
    void extendBy(const SbBox3f& box);

    const SbVec3f& getMin() const { return min_; }
    const SbVec3f& getMax() const { return max_; }
    SbVec3f getCenter() const;  // origin for an empty box
    SbVec3f getSize() const;    // zero for an empty box

    // Replaces the box by the bounds of its eight transformed corners.
    void transform(const SbMatrix& m);

private:
    SbVec3f min_;
    SbVec3f max_;
};
