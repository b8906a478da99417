#pragma once

#include "FltPackedColor.h"
#include "FltRecord.h"
#include "FltVersion.h"

// One polygon's appearance: colours, material, texture, transparency and
// flags. Its vertices follow in a vertex list record. Revision 1500 added
// the texture mapping and the 32-bit colour indices.
class FltRecordFace : public PrimaryFltRecord, public FltVersion {
public:
    FltVersion* revisionDependent() override { return this; }
    using PrimaryFltRecord::PrimaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordFace>; }

    static constexpr int noColorBit = 30;
    static constexpr int packedColorBit = 28;
    static constexpr int hiddenBit = 26;

    char idField[8] = {};
    int32_t IRColorCode = 0;
    int16_t relativePriority = 0;
    int8_t drawType = 0;
    int8_t textureWhite = 0;
    uint16_t colorNameIndex = 0;
    uint16_t alternateColorNameIndex = 0;
    int8_t reserved1 = 0;
    int8_t templateBillboard = 0;
    int16_t detailTexturePatternIndex = 0;
    int16_t texturePatternIndex = 0;
    int16_t materialIndex = 0;
    int16_t surfaceMaterialCode = 0;
    int16_t idFeature = 0;
    int32_t IRMaterialCode = 0;
    uint16_t transparency = 0;
    uint8_t LODGenerationControl = 0;
    uint8_t lineStyleIndex = 0;
    uint32_t flags = 0;
    uint8_t lightMode = 0;
    uint8_t reserved2 = 0;
    uint16_t reserved3 = 0;
    uint32_t reserved4 = 0;
    FltPackedColor packedPrimaryColor;
    FltPackedColor packedAlternateColor;

    // From revision 1500; older faces get no mapping (all bits set) and
    // colour indices equal to colorNameIndex.
    int16_t textureMappingIndex = -1;
    int16_t reserved5 = 0;
    int32_t primaryColorIndex = 0;
    int32_t alternateColorIndex = 0;
    int16_t reserved6 = 0;
    int16_t reserved7 = 0;

protected:
    const char* getTitle() const override { return "\n FACE RECORD "; }
    void describe(FltFields& f) override;
    // The words a kind of face inserts between its identifier and its IR colour.
    virtual void describeAfterIdentifier(FltFields&) {}
};
