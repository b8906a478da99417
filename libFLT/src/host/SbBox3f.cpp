#include "SbBox3f.h"

#include <algorithm>
#include <limits>

void SbBox3f::makeEmpty() {
    const float big = std::numeric_limits<float>::max();
    min_.setValue(big, big, big);
    max_.setValue(-big, -big, -big);
}

void SbBox3f::extendBy(const SbVec3f& point) {
    for (int i = 0; i < 3; ++i) {
        min_[i] = std::min(min_[i], point[i]);
        max_[i] = std::max(max_[i], point[i]);
    }
}

void SbBox3f::extendBy(const SbBox3f& box) {
    if (box.isEmpty()) return;
    extendBy(box.min_);
    extendBy(box.max_);
}

SbVec3f SbBox3f::getCenter() const {
    return isEmpty() ? SbVec3f() : (min_ + max_) * 0.5f;
}

SbVec3f SbBox3f::getSize() const { return isEmpty() ? SbVec3f() : max_ - min_; }

void SbBox3f::transform(const SbMatrix& m) {
    if (isEmpty()) return;
    SbBox3f result;
    for (int corner = 0; corner < 8; ++corner) {
        const SbVec3f p((corner & 1) ? max_[0] : min_[0], (corner & 2) ? max_[1] : min_[1],
                        (corner & 4) ? max_[2] : min_[2]);
        SbVec3f q;
        m.multVecMatrix(p, q);
        result.extendBy(q);
    }
    *this = result;
}
