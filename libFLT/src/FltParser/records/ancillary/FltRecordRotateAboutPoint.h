#pragma once

#include "FltRecord.h"

// A rotation about an axis through a centre, in degrees.
class FltRecordRotateAboutPoint : public AncillaryFltRecord {
public:
    using AncillaryFltRecord::AncillaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordRotateAboutPoint>; }

    int32_t reserved = 0;
    double XCenterOfRotation = 0;
    double YCenterOfRotation = 0;
    double ZCenterOfRotation = 0;
    float IAxisOfRotation = 0;
    float JAxisOfRotation = 0;
    float KAxisOfRotation = 0;
    float angleToRotate = 0;

protected:
    const char* getTitle() const override { return "\n ROTATE ABOUT POINT RECORD "; }
    void describe(FltFields& f) override;
};
