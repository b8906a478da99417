#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

// glTF colours are linear; OpenFlight stores the display (sRGB) values that
// fixed-function rendering put on the screen. The inverse of the export's
// decoding.
inline double linearToDisplay(double linear) {
    if (!(linear > 0.0)) return 0.0;  // NaN too
    if (linear >= 1.0) return 1.0;
    return linear <= 0.0031308 ? linear * 12.92 : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
}

// A value in [0, 1] as a byte of a packed colour.
inline uint8_t unitToByte(double value) {
    return static_cast<uint8_t>(std::lround(std::clamp(std::isnan(value) ? 0.0 : value, 0.0, 1.0) * 255.0));
}
