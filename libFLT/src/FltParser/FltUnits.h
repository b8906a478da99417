#pragma once

#include <cstdint>

// The Header's vertex coordinate units: the codes a database may give, their
// names and their length in metres. The one table both the conversion's
// scale and fltconvert --info's report read.
struct FltUnits {
    int32_t code;
    const char* name;
    float metres;
};

inline constexpr FltUnits fltKnownUnits[] = {
    {0, "meters", 1.0f},
    {1, "kilometers", 1000.0f},
    {4, "feet", 0.3048f},
    {5, "inches", 0.0254f},
    {8, "nautical miles", 1852.0f},
};

// The units of a code, or nullptr for a code no revision defines.
inline const FltUnits* fltUnitsOf(int32_t code)
{
    for (const FltUnits& units : fltKnownUnits)
        if (units.code == code)
            return &units;
    return nullptr;
}
