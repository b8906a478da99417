#include "FltRecordGroup.h"

void FltRecordGroup::describe(FltFields& f)
{
    f.text("idASCII: ", idASCII, sizeof idASCII);
    f.number("relativePriority: ", relativePriority);
    f.reserved(reserved1);
    f.flags("flags: ", flags,
            {{30, "     forward animation: "},
             {29, "     swing animation: "},
             {28, "     bounding box follows: "},
             {27, "     freeze bounding box: "},
             {26, "     default parent: "},
             {25, "     backward animation: "}});
    f.number("id1SpecialEffect: ", id1SpecialEffect);
    f.number("id2SpecialEffect: ", id2SpecialEffect);
    f.number("significance: ", significance);
    f.number("layerCode: ", layerCode);
    f.reserved(reserved2);
    if (getVersion() >= 1421)
        f.reserved(reserved3);
}
