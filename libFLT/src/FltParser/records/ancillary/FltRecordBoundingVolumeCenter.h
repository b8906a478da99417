#pragma once

#include "FltBoundingVolumeRecord.h"

class FltRecordBoundingVolumeCenter : public FltBoundingVolumeRecord<double, 3> {
public:
    using FltBoundingVolumeRecord::FltBoundingVolumeRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordBoundingVolumeCenter>; }

    // Indices into `values`, in file order.
    enum { XcoordinateCenter, YcoordinateCenter, ZcoordinateCenter };

protected:
    const char* getTitle() const override { return "\n BOUNDING VOLUME CENTER "; }
    const char* const* labels() const override;
};
