#pragma once

#include "FltRecord.h"

// A rotation about the edge between two points, in degrees.
class FltRecordRotateAboutEdge : public AncillaryFltRecord {
public:
    using AncillaryFltRecord::AncillaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordRotateAboutEdge>; }

    int32_t reserved = 0;
    double XCenter1 = 0;
    double YCenter1 = 0;
    double ZCenter1 = 0;
    double XCenter2 = 0;
    double YCenter2 = 0;
    double ZCenter2 = 0;
    float angleToRotate = 0;

protected:
    const char* getTitle() const override { return "\n ROTATE ABOUT EDGE RECORD "; }
    void describe(FltFields& f) override;
};
