#pragma once

#include "SbVec.h"

// The plane of points p with normal . p == distance; the normal is kept unit
// length so that distance is measured in scene units.
class SbPlane {
public:
    SbPlane() = default;
    SbPlane(const SbVec3f& normal, float distance) : normal_(normal), distance_(distance) {
        normal_.normalize();
    }

    const SbVec3f& getNormal() const { return normal_; }
    float getDistanceFromOrigin() const { return distance_; }
    // Signed: positive on the side the normal points to.
    float getDistance(const SbVec3f& point) const { return normal_.dot(point) - distance_; }

    bool operator==(const SbPlane& o) const {
        return normal_ == o.normal_ && distance_ == o.distance_;
    }
    bool operator!=(const SbPlane& o) const { return !(*this == o); }

private:
    SbVec3f normal_{0.0f, 0.0f, 1.0f};
    float distance_ = 0.0f;
};
