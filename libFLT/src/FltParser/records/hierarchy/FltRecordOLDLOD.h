#pragma once

#include "FltRecord.h"

// The obsolete level of detail with integer distances and centre.
class FltRecordOLDLOD : public PrimaryFltRecord {
public:
    using PrimaryFltRecord::PrimaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordOLDLOD>; }

    char idASCII[8] = {};
    uint32_t switchInDistance = 0;
    uint32_t switchOutDistance = 0;
    int16_t id1specialEffect = 0;
    int16_t id2specialEffect = 0;
    int32_t flags = 0;
    int32_t XcenterCoordinate = 0;
    int32_t YcenterCoordinate = 0;
    int32_t ZcenterCoordinate = 0;

protected:
    const char* getTitle() const override
    {
        return "\n OLD LEVEL_OF_DETAIL (LOD) RECORD (OBSOLETE) ";
    }
    void describe(FltFields& f) override;
};
