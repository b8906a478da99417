#include "FltVertexColor.h"

uint32_t fltPackedRgba(const FltPackedColor& color)
{
    return uint32_t(color.bytes[3]) << 24 | uint32_t(color.bytes[2]) << 16 | uint32_t(color.bytes[1]) << 8 |
           color.bytes[0];
}

uint32_t fltPaletteRgba(int32_t index, const uint32_t* palette)
{
    const uint32_t entry = palette[index >> 7];
    const float intensity = static_cast<float>(index % 128) / 127.0f;
    uint32_t rgba = 0xFFu;
    for (int shift = 24; shift >= 8; shift -= 8)
        rgba |= static_cast<uint32_t>(static_cast<float>(entry >> shift & 0xFFu) * intensity + 0.5f) << shift;
    return rgba;
}
