#include "FltRecordExternalReference.h"

void FltRecordExternalReference::describe(FltFields& f)
{
    f.text("asciiPath: ", asciiPath, sizeof asciiPath);
    f.reserved(reserved1);
    f.flags("Flags: ", flags,
            {{31, "      Color palette override: "},
             {30, "      Material palette override: "},
             {29, "      Texture and texture mapping palette override: "},
             {28, "      Line style palette override: "},
             {27, "      Sound palette override: "},
             {26, "      Light source palette override: "},
             {25, "      Light point palette override: "}});
    // The last word, in halves: reserved2 is its low one.
    f.reserved(reserved2High);
    f.reserved(reserved2);
    f.emptyLine();
}
