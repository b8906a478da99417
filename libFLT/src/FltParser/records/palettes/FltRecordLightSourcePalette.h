#pragma once

#include "FltRecord.h"

// One light definition (colours, type, spot and attenuation) that light sources refer to.
class FltRecordLightSourcePalette : public PaletteFltRecord {
public:
    using PaletteFltRecord::PaletteFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordLightSourcePalette>; }

    int32_t paletteIndex = 0;
    unsigned char reserved1[8] = {};
    char lightSourceName[20] = {};
    int32_t reserved2 = 0;
    float ambientRed = 0;
    float ambientGreen = 0;
    float ambientBlue = 0;
    float ambientAlpha = 0;
    float diffuseRed = 0;
    float diffuseGreen = 0;
    float diffuseBlue = 0;
    float diffuseAlpha = 0;
    float specularRed = 0;
    float specularGreen = 0;
    float specularBlue = 0;
    float specularAlpha = 0;
    int32_t lightType = 0;
    unsigned char reserved3[40] = {};
    float spotExponentialDropoffTerm = 0;
    float spotCutoffAngle = 0;
    float yaw = 0;
    float pitch = 0;
    float constantAttenuationCoefficient = 0;
    float linearAttenuationCoefficient = 0;
    float quadraticAttenuationCoefficient = 0;
    int32_t modelingLight = 0;
    unsigned char reserved4[76] = {};

protected:
    const char* getTitle() const override { return "\n LIGHT SOURCE PALETTE RECORD "; }
    void describe(FltFields& f) override;
};
