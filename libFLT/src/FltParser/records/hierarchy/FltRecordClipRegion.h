#pragma once

#include "FltRecord.h"

// A region bounded by up to five clip planes, each switched on by its own flag byte.
class FltRecordClipRegion : public PrimaryFltRecord {
public:
    using PrimaryFltRecord::PrimaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordClipRegion>; }

    static constexpr int planeCount = 5;

    // Plane i is on exactly when its flag byte is 1; the sixth byte is unused.
    bool isPlaneOn(int plane) const
    {
        return plane >= 0 && plane < planeCount && flags[plane] == 1;
    }

    char idASCII[8] = {};
    int32_t reserved1 = 0;
    int16_t reserved2 = 0;
    uint8_t flags[6] = {};
    double clipRegion1[3] = {};
    double clipRegion2[3] = {};
    double clipRegion3[3] = {};
    double clipRegion4[3] = {};
    // Row r holds coefficient r (A, B, C, D) of the five planes.
    double clipRegionCoefs[4][planeCount] = {};

protected:
    const char* getTitle() const override { return "\n CLIP REGION RECORD "; }
    void describe(FltFields& f) override;
};
