#pragma once

#include "FltPackedColor.h"
#include "FltRecord.h"

// A point of light (runway lights, beacons): appearance, directionality and animation.
class FltRecordLightPoint : public PrimaryFltRecord {
public:
    using PrimaryFltRecord::PrimaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordLightPoint>; }

    char idASCII[8] = {};
    int16_t surfaceMaterial = 0;
    int16_t featureID = 0;
    FltPackedColor backColor;
    int32_t displayMode = 0;
    float frontIntensity = 0;
    float backIntensity = 0;
    float minDefocus = 0;
    float maxDefocus = 0;
    int32_t fadeMode = 0;
    int32_t fogPunchMode = 0;
    int32_t directionalMode = 0;
    int32_t rangeMode = 0;
    float minPixelSize = 0;
    float maxPixelSize = 0;
    float actualPixelSize = 0;
    float transpFalloff = 0;
    float transpFalloffExponent = 0;
    float transpFalloffScalar = 0;
    float transpFalloffClamp = 0;
    float fog = 0;
    float reserved = 0;
    float size = 0;
    int32_t direction = 0;
    float lobeHorizontal = 0;
    float lobeVertical = 0;
    float lobeRoll = 0;
    float falloff = 0;
    float ambientIntensity = 0;
    float animPeriod = 0;
    float animPhaseDelay = 0;
    float animEnabledPeriod = 0;
    float significance = 0;
    int32_t drawOrder = 0;
    uint32_t flags = 0;
    float animRotation[3] = {};

protected:
    const char* getTitle() const override { return "\n LIGHT POINT RECORD "; }
    void describe(FltFields& f) override;
};
