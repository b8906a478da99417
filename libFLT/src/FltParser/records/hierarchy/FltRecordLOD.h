#pragma once

#include "FltRecord.h"

// Level of detail: its children are shown between two distances from a centre.
class FltRecordLOD : public PrimaryFltRecord {
public:
    using PrimaryFltRecord::PrimaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordLOD>; }

    char idASCII[8] = {};
    int32_t reserved1 = 0;
    double switchInDistance = 0;
    double switchOutDistance = 0;
    int16_t id1specialEffect = 0;
    int16_t id2specialEffect = 0;
    int32_t flags = 0;
    double XcenterCoordinate = 0;
    double YcenterCoordinate = 0;
    double ZcenterCoordinate = 0;
    double transitionRange = 0;

protected:
    const char* getTitle() const override { return "\n LEVEL_OF_DETAIL (LOD) RECORD "; }
    void describe(FltFields& f) override;
};
