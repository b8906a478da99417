#pragma once

#include "FltBoundingVolumeRecord.h"

class FltRecordBoundingVolumeOrientation : public FltBoundingVolumeRecord<double, 3> {
public:
    using FltBoundingVolumeRecord::FltBoundingVolumeRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordBoundingVolumeOrientation>; }

    // Indices into `values`, in file order.
    enum { yawAngle, pitchAngle, rollAngle };

protected:
    const char* getTitle() const override { return "\n BOUNDING VOLUME ORIENTATION "; }
    const char* const* labels() const override;
};
