#pragma once

#include <cstddef>

#include "FltRecord.h"
#include "FltVersion.h"

// The material palette of revisions before 15.1: all 64 materials in one
// record. Names exist from revision 14 on.
class FltRecordOLDMaterialPalette : public PaletteFltRecord, public FltVersion {
public:
    using PaletteFltRecord::PaletteFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordOLDMaterialPalette>; }

    static constexpr std::size_t materialCount = 64;
    // OpenFlight flag bit 0: the material is in use.
    static constexpr int materialUsedBit = 31;

    struct Entry {
        // Red, green, blue.
        float ambient[3] = {};
        float diffuse[3] = {};
        float specular[3] = {};
        float emissive[3] = {};
        float shininess = 0;
        float alpha = 0;
        int32_t flags = 0;
        char name[12] = {};
        // Where revisions without names have the name: bytes of no meaning.
        char unnamedBytes[12] = {};
        unsigned char spare[112] = {};
    };

    Entry entries[materialCount];

protected:
    const char* getTitle() const override { return "\n OLD MATERIAL PALETTE RECORD (OBSOLETE)"; }
    void describe(FltFields& f) override;
};
