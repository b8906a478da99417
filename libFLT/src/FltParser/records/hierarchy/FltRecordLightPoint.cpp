#include "FltRecordLightPoint.h"

void FltRecordLightPoint::describe(FltFields& f)
{
    static const char* const backColorLabels[4] = {"backColor (ABGR) : ", nullptr, nullptr,
                                                   nullptr};

    f.text("idASCII: ", idASCII, sizeof idASCII);
    f.number("surfaceMaterial: ", surfaceMaterial);
    f.number("featureID: ", featureID);
    f.packedColor(backColorLabels, backColor);
    f.number("displayMode: ", displayMode);
    f.number("frontIntensity: ", frontIntensity);
    f.number("backIntensity: ", backIntensity);
    f.number("minDefocus: ", minDefocus);
    f.number("maxDefocus: ", maxDefocus);
    f.number("fadeMode: ", fadeMode);
    f.number("fogPunchMode: ", fogPunchMode);
    f.number("directionalMode: ", directionalMode);
    f.number("rangeMode: ", rangeMode);
    f.number("minPixelSize: ", minPixelSize);
    f.number("maxPixelSize: ", maxPixelSize);
    f.number("actualPixelSize: ", actualPixelSize);
    f.number("transpFalloff: ", transpFalloff);
    f.number("transpFalloffExponent: ", transpFalloffExponent);
    f.number("transpFalloffScalar: ", transpFalloffScalar);
    f.number("transpFalloffClamp: ", transpFalloffClamp);
    f.number("fog: ", fog);
    f.reserved(reserved);
    f.number("size: ", size);
    f.number("direction: ", direction);
    f.number("lobeHorizontal: ", lobeHorizontal);
    f.number("lobeVertical: ", lobeVertical);
    f.number("lobeRoll: ", lobeRoll);
    f.number("falloff: ", falloff);
    f.number("ambientIntensity: ", ambientIntensity);
    f.number("animPeriod: ", animPeriod);
    f.number("animPhaseDelay: ", animPhaseDelay);
    f.number("animEnabledPeriod: ", animEnabledPeriod);
    f.number("significance: ", significance);
    f.number("drawOrder: ", drawOrder);
    f.hex("flags: ", flags);
    f.number("animRotation: ", animRotation);
}
