#include "FltRecordRotateAboutPoint.h"

void FltRecordRotateAboutPoint::describe(FltFields& f)
{
    f.reserved(reserved);
    f.number("XCenterOfRotation: ", XCenterOfRotation);
    f.number("YCenterOfRotation: ", YCenterOfRotation);
    f.number("ZCenterOfRotation: ", ZCenterOfRotation);
    f.number("IAxisOfRotation: ", IAxisOfRotation);
    f.number("JAxisOfRotation: ", JAxisOfRotation);
    f.number("KAxisOfRotation: ", KAxisOfRotation);
    f.number("angleToRotate: ", angleToRotate);
}
