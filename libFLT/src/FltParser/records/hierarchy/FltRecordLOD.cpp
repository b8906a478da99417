#include "FltRecordLOD.h"

#include <cmath>

void FltRecordLOD::describe(FltFields& f)
{
    f.text("idASCII: ", idASCII, sizeof idASCII);
    f.reserved(reserved1);
    f.number("switchInDistance: ", switchInDistance);
    f.number("switchOutDistance: ", switchOutDistance);
    f.number("id1specialEffect: ", id1specialEffect);
    f.number("id2specialEffect: ", id2specialEffect);
    f.flags("flags: ", flags,
            {{31, "      Use Previous Slant Range: "},
             {29, "      FreezeCenter (don't recalculate): "}});
    f.number("XcenterCoordinate: ", XcenterCoordinate);
    f.number("YcenterCoordinate: ", YcenterCoordinate);
    f.number("ZcenterCoordinate: ", ZcenterCoordinate);
    f.number("transitionRange: ", transitionRange);

    // A centre with any NaN coordinate is no centre: fall back to the origin.
    if (f.decoding() && (std::isnan(XcenterCoordinate) || std::isnan(YcenterCoordinate) ||
                         std::isnan(ZcenterCoordinate))) {
        XcenterCoordinate = YcenterCoordinate = ZcenterCoordinate = 0.0;
        keepAsRead();
    }
}
