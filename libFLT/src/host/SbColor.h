#pragma once

#include <cstdint>

#include "SbVec.h"

// An RGB color with components in 0..1.
class SbColor : public SbVec3f {
public:
    SbColor() = default;
    SbColor(float r, float g, float b) : SbVec3f(r, g, b) {}
    explicit SbColor(const SbVec3f& rgb) : SbVec3f(rgb) {}

    // rgba holds red in bits 24..31 down to alpha in bits 0..7; alpha comes
    // back as a transparency (1 - alpha) because that is how materials use it.
    SbColor& setPackedValue(uint32_t rgba, float& transparency);
    uint32_t getPackedValue(float transparency = 0.0f) const;
};

// Component-wise product, used to modulate one color by another.
inline SbColor operator*(const SbColor& a, const SbColor& b) {
    return SbColor(a[0] * b[0], a[1] * b[1], a[2] * b[2]);
}
