#include "ColorSpace.h"

#include <array>
#include <cmath>

namespace color_space {
namespace {

float exactSrgbToLinear(float c) {
    return c <= 0.04045f ? c / 12.92f : static_cast<float>(std::pow((c + 0.055) / 1.055, 2.4));
}

const std::array<float, 256>& byteTable() {
    static const std::array<float, 256> table = [] {
        std::array<float, 256> values{};
        for (int i = 0; i < 256; ++i) values[i] = exactSrgbToLinear(static_cast<float>(i) / 255.0f);
        return values;
    }();
    return table;
}

float clampUnit(float c) { return std::isfinite(c) ? (c < 0.0f ? 0.0f : c > 1.0f ? 1.0f : c) : 0.0f; }

}  // namespace

float srgbToLinear(float encoded) {
    const float c = clampUnit(encoded);
    // Most colours came from bytes: those take the table.
    const float scaled = c * 255.0f;
    const float nearest = std::round(scaled);
    if (std::fabs(scaled - nearest) < 1e-3f) return byteTable()[static_cast<int>(nearest)];
    return exactSrgbToLinear(c);
}

float linearToSrgb(float linear) {
    const float c = clampUnit(linear);
    return c <= 0.0031308f ? c * 12.92f : static_cast<float>(1.055 * std::pow(c, 1.0 / 2.4) - 0.055);
}

float srgbByteToLinear(uint8_t encoded) { return byteTable()[encoded]; }

}  // namespace color_space
