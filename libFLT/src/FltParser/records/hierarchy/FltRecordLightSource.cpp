#include "FltRecordLightSource.h"

void FltRecordLightSource::describe(FltFields& f)
{
    f.text("idASCII: ", idASCII, sizeof idASCII);
    f.reserved(reserved1);
    f.number("indexIntoLightPalette: ", indexIntoLightPalette);
    f.reserved(reserved2);
    f.reservedBytes(flags, 3);
    f.flags("flags: ", flags[3],
            {{7, "     enabled: "}, {6, "     global: "}, {4, "     export: "}});
    f.reserved(reserved3);
    f.number("localOrSpotPositionCoordinateX: ", localOrSpotPositionCoordinateX);
    f.number("localOrSpotPositionCoordinateY: ", localOrSpotPositionCoordinateY);
    f.number("localOrSpotPositionCoordinateZ: ", localOrSpotPositionCoordinateZ);
    f.number("infiniteOrSpotYaw: ", infiniteOrSpotYaw);
    f.number("infiniteOrSpotPitch: ", infiniteOrSpotPitch);
}
