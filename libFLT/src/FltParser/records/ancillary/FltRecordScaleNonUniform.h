#pragma once

#include "FltRecord.h"

// A scale about a centre, one factor per axis.
class FltRecordScaleNonUniform : public AncillaryFltRecord {
public:
    using AncillaryFltRecord::AncillaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordScaleNonUniform>; }

    int32_t reserved = 0;
    double XCenter = 0;
    double YCenter = 0;
    double ZCenter = 0;
    float XScaleFactor = 0;
    float YScaleFactor = 0;
    float ZScaleFactor = 0;

protected:
    const char* getTitle() const override { return "\n SCALE NON UNIFORM RECORD "; }
    void describe(FltFields& f) override;
};
