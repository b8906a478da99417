#pragma once

#include <cstdint>

#include "FltPackedColor.h"
#include "FltRecordColorPalette.h"

// Vertex colours as 0xRRGGBBAA, kept beside the scene for the glTF export.

// A packed colour as it is stored.
uint32_t fltPackedRgba(const FltPackedColor& color);

// An entry of the colour palette (fltPaletteColorEntries) at an intensity: index / 128,
// at (index mod 128) / 127. The index must name an entry.
uint32_t fltPaletteRgba(int32_t index, const uint32_t* palette);

constexpr int32_t fltPaletteColorEntries = static_cast<int32_t>(FltRecordColorPalette::colorCount);
