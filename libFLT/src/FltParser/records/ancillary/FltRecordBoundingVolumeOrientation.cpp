#include "FltRecordBoundingVolumeOrientation.h"

const char* const* FltRecordBoundingVolumeOrientation::labels() const
{
    static const char* const names[] = {"yawAngle: ", "pitchAngle: ", "rollAngle: "};
    return names;
}
