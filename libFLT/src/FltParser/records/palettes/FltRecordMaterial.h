#pragma once

#include "FltRecord.h"

// One material of the material palette. The converter also builds these
// itself from the entries of the obsolete 64-material palette, so every
// member is plain and writable.
class FltRecordMaterial : public PaletteFltRecord {
public:
    using PaletteFltRecord::PaletteFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordMaterial>; }

    // OpenFlight flag bit 0: the material is in use.
    static constexpr int materialUsedBit = 31;

    int32_t index = 0;
    char name[12] = {};
    int32_t flags = 0;
    // Red, green, blue.
    float ambient[3] = {};
    float diffuse[3] = {};
    float specular[3] = {};
    float emissive[3] = {};
    float shininess = 0;
    float alpha = 0;
    int32_t spare = 0;

protected:
    const char* getTitle() const override { return "\n MATERIAL PALETTE RECORD "; }
    void describe(FltFields& f) override;
};
