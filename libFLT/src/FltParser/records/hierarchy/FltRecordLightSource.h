#pragma once

#include "FltRecord.h"

// A light placed in the hierarchy; its colours live in the light source palette.
class FltRecordLightSource : public PrimaryFltRecord {
public:
    using PrimaryFltRecord::PrimaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordLightSource>; }

    char idASCII[8] = {};
    int32_t reserved1 = 0;
    int32_t indexIntoLightPalette = 0;
    int32_t reserved2 = 0;
    // Kept as the four file bytes; only the last one carries named bits.
    uint8_t flags[4] = {};
    int32_t reserved3 = 0;
    double localOrSpotPositionCoordinateX = 0;
    double localOrSpotPositionCoordinateY = 0;
    double localOrSpotPositionCoordinateZ = 0;
    float infiniteOrSpotYaw = 0;
    float infiniteOrSpotPitch = 0;

protected:
    const char* getTitle() const override { return "\n LIGHT SOURCE RECORD "; }
    void describe(FltFields& f) override;
};
