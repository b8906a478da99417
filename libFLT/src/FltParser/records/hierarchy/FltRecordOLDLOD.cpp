#include "FltRecordOLDLOD.h"

void FltRecordOLDLOD::describe(FltFields& f)
{
    f.text("idASCII: ", idASCII, sizeof idASCII);
    f.number("switchInDistance: ", switchInDistance);
    f.number("switchOutDistance: ", switchOutDistance);
    f.number("id1specialEffect: ", id1specialEffect);
    f.number("id2specialEffect: ", id2specialEffect);
    f.flags("flags: ", flags,
            {{31, "      Use Previous Slant Range: "},
             {30, "      SPT Flag: "},
             {29, "      FreezeCenter (don't recalculate): "}});
    f.number("XcenterCoordinate: ", XcenterCoordinate);
    f.number("YcenterCoordinate: ", YcenterCoordinate);
    f.number("ZcenterCoordinate: ", ZcenterCoordinate);
}
