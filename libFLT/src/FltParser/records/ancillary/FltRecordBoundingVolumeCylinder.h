#pragma once

#include "FltBoundingVolumeRecord.h"

class FltRecordBoundingVolumeCylinder : public FltBoundingVolumeRecord<double, 2> {
public:
    using FltBoundingVolumeRecord::FltBoundingVolumeRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordBoundingVolumeCylinder>; }

    // Indices into `values`, in file order.
    enum { radius, height };

protected:
    const char* getTitle() const override { return "\n BOUNDING VOLUME CYLINDER "; }
    const char* const* labels() const override;
};
