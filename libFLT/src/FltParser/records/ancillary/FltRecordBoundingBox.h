#pragma once

#include "FltBoundingVolumeRecord.h"

class FltRecordBoundingBox : public FltBoundingVolumeRecord<double, 6>,
                             public FltBoxCorners {
public:
    using FltBoundingVolumeRecord::FltBoundingVolumeRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordBoundingBox>; }

protected:
    const char* getTitle() const override { return "\n BOUNDING BOX "; }
    const char* const* labels() const override;
};
