#include "FltRecordClipRegion.h"

void FltRecordClipRegion::describe(FltFields& f)
{
    f.text("idASCII: ", idASCII, sizeof idASCII);
    f.number("reserved1: ", reserved1);
    f.number("reserved2: ", reserved2);
    // The six flag bytes on one line, as decimal numbers separated by a blank.
    f.number("flags: ", flags);
    f.number("clipRegion1: ", clipRegion1);
    f.number("clipRegion2: ", clipRegion2);
    f.number("clipRegion3: ", clipRegion3);
    f.number("clipRegion4: ", clipRegion4);
    f.literal("clipRegionCoefs: ");
    // Each value is followed by two blanks, then the row closes with "  |".
    for (double(&row)[planeCount] : clipRegionCoefs)
        f.number("|  ", row, "  ", "    |");
}
