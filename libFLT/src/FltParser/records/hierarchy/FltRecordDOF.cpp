#include "FltRecordDOF.h"

void FltRecordDOF::describe(FltFields& f)
{
    f.text("idASCII: ", idASCII, sizeof idASCII);
    f.reserved(reserved1);

    f.number("XOriginOfDOFLocalCoordinateSystem: ", XOriginOfDOFLocalCoordinateSystem);
    f.number("YOriginOfDOFLocalCoordinateSystem: ", YOriginOfDOFLocalCoordinateSystem);
    f.number("ZOriginOfDOFLocalCoordinateSystem: ", ZOriginOfDOFLocalCoordinateSystem);
    f.emptyLine();
    f.number("XPointOnXAxisOfDOFLocalCoordinateSystem : ", XPointOnXAxisOfDOFLocalCoordinateSystem);
    f.number("YPointOnXAxisOfDOFLocalCoordinateSystem: ", YPointOnXAxisOfDOFLocalCoordinateSystem);
    f.number("ZPointOnXAxisOfDOFLocalCoordinateSystem : ", ZPointOnXAxisOfDOFLocalCoordinateSystem);
    f.emptyLine();
    f.number("XPointInXYPlaneOfDOFLocalCoordinateSystem: ", XPointInXYPlaneOfDOFLocalCoordinateSystem);
    f.number("YPointInXYPlaneOfDOFLocalCoordinateSystem: ", YPointInXYPlaneOfDOFLocalCoordinateSystem);
    f.number("ZPointInXYPlaneOfDOFLocalCoordinateSystem : ", ZPointInXYPlaneOfDOFLocalCoordinateSystem);
    f.emptyLine();

    f.number("ZMinValue: ", ZMinValue);
    f.number("ZMaxValue: ", ZMaxValue);
    f.number("ZCurrentValue: ", ZCurrentValue);
    f.number("ZIncrement: ", ZIncrement);
    f.emptyLine();
    // The Y translation block runs straight into the X block, without a blank line.
    f.number("YMinValue: ", YMinValue);
    f.number("YMaxValue: ", YMaxValue);
    f.number("YCurrentValue: ", YCurrentValue);
    f.number("YIncrement: ", YIncrement);
    f.number("XMinValue: ", XMinValue);
    f.number("XMaxValue: ", XMaxValue);
    f.number("XCurrentValue: ", XCurrentValue);
    f.number("XIncrement: ", XIncrement);
    f.emptyLine();

    f.number("minimumPitch: ", minimumPitch);
    f.number("maxPitch : ", maxPitch);
    f.number("currentPitch: ", currentPitch);
    f.number("incrementInPitch: ", incrementInPitch);
    f.emptyLine();
    f.number("minimumRoll: ", minimumRoll);
    f.number("maxRoll : ", maxRoll);
    f.number("currentRoll: ", currentRoll);
    f.number("incrementInRoll: ", incrementInRoll);
    f.emptyLine();
    f.number("minimumYaw: ", minimumYaw);
    f.number("maxYaw : ", maxYaw);
    f.number("currentYaw: ", currentYaw);
    f.number("incrementInYaw: ", incrementInYaw);
    f.emptyLine();

    f.number("ZMinScale   : ", ZMinScale);
    f.number("ZMaxScale  : ", ZMaxScale);
    f.number("ZCurrentScale: ", ZCurrentScale);
    f.number("ZIncrementForScale: ", ZIncrementForScale);
    f.emptyLine();
    f.number("YMinScale   : ", YMinScale);
    f.number("YMaxScale  : ", YMaxScale);
    f.number("YCurrentScale: ", YCurrentScale);
    f.number("YIncrementForScale: ", YIncrementForScale);
    f.emptyLine();
    f.number("XMinScale : ", XMinScale);
    f.number("XMaxScale : ", XMaxScale);
    f.number("XCurrentScale: ", XCurrentScale);
    f.number("XIncrementForScale    : ", XIncrementForScale);
    f.emptyLine();

    f.flags("flags: ", flags,
            {{31, "     x translation is limited: "},
             {30, "     y translation is limited: "},
             {29, "     z translation is limited: "},
             {28, "     pitch rotation is limited: "},
             {27, "     roll rotation is limited: "},
             {26, "     yaw rotation is limited: "},
             {25, "     x scale is limited: "},
             {24, "     y scale is limited: "},
             {23, "     z scale is limited: "}});
}
