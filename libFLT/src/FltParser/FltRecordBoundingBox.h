#pragma once

#include "FltBoundingVolumeRecord.h"

class FltRecordBoundingBox : public FltBoundingVolumeRecord<double, 6>,
                             public FltBoxCorners {
public:
    using FltBoundingVolumeRecord::FltBoundingVolumeRecord;
    int32_t getOpcode() const override { return 74; }

protected:
    const char* getTitle() const override { return "\n BOUNDING BOX "; }
    const char* const* labels() const override;
};
