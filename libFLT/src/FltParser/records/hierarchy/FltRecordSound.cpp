#include "FltRecordSound.h"

void FltRecordSound::describe(FltFields& f)
{
    f.text("idASCII: ", idASCII, sizeof idASCII);
    f.reserved(reserved1);
    f.number("index: ", index);
    f.reserved(reserved2);
    f.number("origin: ", origin, ",");
    f.number("direction: ", direction, ",");
    f.number("amplitude: ", amplitude);
    f.number("pitch: ", pitch);
    f.number("priority: ", priority);
    f.number("falloff: ", falloff);
    f.number("width: ", width);
    f.hex("flags: ", flags);
    f.reserved(reserved3);
}
