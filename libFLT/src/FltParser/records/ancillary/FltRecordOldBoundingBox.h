#pragma once

#include "FltBoundingVolumeRecord.h"

// The box of older files: integer corners and no reserved word.
class FltRecordOldBoundingBox : public FltBoundingVolumeRecord<int32_t, 6, false>,
                                public FltBoxCorners {
public:
    using FltBoundingVolumeRecord::FltBoundingVolumeRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordOldBoundingBox>; }

protected:
    const char* getTitle() const override { return "\n OLD BOUNDING BOX "; }
    const char* const* labels() const override;
};
