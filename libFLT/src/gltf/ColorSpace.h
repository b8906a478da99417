#pragma once

#include <cstdint>

// Database colours are display values: what fixed-function OpenGL put on the
// screen, that is sRGB-encoded. glTF's colour factors and vertex colours are
// linear. Both directions live here so that reading glTF back undoes exactly
// what the export did.
namespace color_space {

// One channel in [0, 1] (values outside are clamped).
float srgbToLinear(float encoded);
float linearToSrgb(float linear);

// One 8-bit channel, from a table.
float srgbByteToLinear(uint8_t encoded);

}  // namespace color_space
