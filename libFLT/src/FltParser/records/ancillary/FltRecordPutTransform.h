#pragma once

#include "FltRecord.h"

// A "put": the transformation that carries an origin, align and track point
// onto three others.
class FltRecordPutTransform : public AncillaryFltRecord {
public:
    using AncillaryFltRecord::AncillaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordPutTransform>; }

    int32_t reserved = 0;
    double XFromOrigin = 0;
    double YFromOrigin = 0;
    double ZFromOrigin = 0;
    double XFromAlign = 0;
    double YFromAlign = 0;
    double ZFromAlign = 0;
    double XFromTrack = 0;
    double YFromTrack = 0;
    double ZFromTrack = 0;
    double XToOrigin = 0;
    double YToOrigin = 0;
    double ZToOrigin = 0;
    double XToAlign = 0;
    double YToAlign = 0;
    double ZToAlign = 0;
    double XToTrack = 0;
    double YToTrack = 0;
    double ZToTrack = 0;
    float angleToRotate = 0; // only in records of 156 bytes or more

protected:
    const char* getTitle() const override { return "\n PUT TRANSFORM RECORD "; }
    void describe(FltFields& f) override;
};
