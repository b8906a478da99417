#pragma once

#include "FltRecord.h"

// Degree of freedom: a local frame and the limits of its translation,
// rotation and scale.
class FltRecordDOF : public PrimaryFltRecord {
public:
    using PrimaryFltRecord::PrimaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordDOF>; }

    char idASCII[8] = {};
    int32_t reserved1 = 0;

    double XOriginOfDOFLocalCoordinateSystem = 0;
    double YOriginOfDOFLocalCoordinateSystem = 0;
    double ZOriginOfDOFLocalCoordinateSystem = 0;
    double XPointOnXAxisOfDOFLocalCoordinateSystem = 0;
    double YPointOnXAxisOfDOFLocalCoordinateSystem = 0;
    double ZPointOnXAxisOfDOFLocalCoordinateSystem = 0;
    double XPointInXYPlaneOfDOFLocalCoordinateSystem = 0;
    double YPointInXYPlaneOfDOFLocalCoordinateSystem = 0;
    double ZPointInXYPlaneOfDOFLocalCoordinateSystem = 0;

    double ZMinValue = 0;
    double ZMaxValue = 0;
    double ZCurrentValue = 0;
    double ZIncrement = 0;
    double YMinValue = 0;
    double YMaxValue = 0;
    double YCurrentValue = 0;
    double YIncrement = 0;
    double XMinValue = 0;
    double XMaxValue = 0;
    double XCurrentValue = 0;
    double XIncrement = 0;

    double minimumPitch = 0;
    double maxPitch = 0;
    double currentPitch = 0;
    double incrementInPitch = 0;
    double minimumRoll = 0;
    double maxRoll = 0;
    double currentRoll = 0;
    double incrementInRoll = 0;
    double minimumYaw = 0;
    double maxYaw = 0;
    double currentYaw = 0;
    double incrementInYaw = 0;

    double ZMinScale = 0;
    double ZMaxScale = 0;
    double ZCurrentScale = 0;
    double ZIncrementForScale = 0;
    double YMinScale = 0;
    double YMaxScale = 0;
    double YCurrentScale = 0;
    double YIncrementForScale = 0;
    double XMinScale = 0;
    double XMaxScale = 0;
    double XCurrentScale = 0;
    double XIncrementForScale = 0;

    int32_t flags = 0;

protected:
    const char* getTitle() const override { return "\n DOF RECORD "; }
    void describe(FltFields& f) override;
};
