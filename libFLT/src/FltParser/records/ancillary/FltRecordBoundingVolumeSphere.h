#pragma once

#include "FltBoundingVolumeRecord.h"

class FltRecordBoundingVolumeSphere : public FltBoundingVolumeRecord<double, 1> {
public:
    using FltBoundingVolumeRecord::FltBoundingVolumeRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordBoundingVolumeSphere>; }

    // Indices into `values`, in file order.
    enum { radius };

protected:
    const char* getTitle() const override { return "\n BOUNDING VOLUME SPHERE "; }
    const char* const* labels() const override;
};
