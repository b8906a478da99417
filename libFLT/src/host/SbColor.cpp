#include "SbColor.h"

#include <algorithm>
#include <cmath>

namespace {

float byteToUnit(uint32_t packed, int shift) {
    return static_cast<float>((packed >> shift) & 0xffu) / 255.0f;
}

uint32_t unitToByte(float value, int shift) {
    const float clamped = std::clamp(value, 0.0f, 1.0f);
    return static_cast<uint32_t>(std::lround(clamped * 255.0f)) << shift;
}

}  // namespace

SbColor& SbColor::setPackedValue(uint32_t rgba, float& transparency) {
    setValue(byteToUnit(rgba, 24), byteToUnit(rgba, 16), byteToUnit(rgba, 8));
    transparency = 1.0f - byteToUnit(rgba, 0);
    return *this;
}

uint32_t SbColor::getPackedValue(float transparency) const {
    return unitToByte((*this)[0], 24) | unitToByte((*this)[1], 16) | unitToByte((*this)[2], 8) |
           unitToByte(1.0f - transparency, 0);
}
