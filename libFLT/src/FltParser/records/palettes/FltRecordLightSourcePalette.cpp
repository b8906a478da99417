#include "FltRecordLightSourcePalette.h"

void FltRecordLightSourcePalette::describe(FltFields& f)
{
    f.number(" paletteIndex: ", paletteIndex);
    f.reservedBytes(reserved1, sizeof reserved1);
    f.text(" lightSourceName: ", lightSourceName, sizeof lightSourceName);
    f.emptyLine();
    f.reserved(reserved2);
    f.number(" ambientRed: ", ambientRed);
    f.number(" ambientGreen: ", ambientGreen);
    f.number(" ambientBlue: ", ambientBlue);
    f.number(" ambientAlpha : ", ambientAlpha);
    f.emptyLine();
    f.number(" diffuseRed : ", diffuseRed);
    f.number(" diffuseGreen : ", diffuseGreen);
    f.number(" diffuseBlue: ", diffuseBlue);
    f.number(" diffuseAlpha: ", diffuseAlpha);
    f.emptyLine();
    f.number(" specularRed: ", specularRed);
    f.number(" specularGreen: ", specularGreen);
    f.number(" specularBlue: ", specularBlue);
    f.number(" specularAlpha: ", specularAlpha);
    f.emptyLine();
    f.number(" lightType: ", lightType);
    f.reservedBytes(reserved3, sizeof reserved3);
    f.number(" spotExponentialDropoffTerm : ", spotExponentialDropoffTerm);
    f.number(" spotCutoffAngle: ", spotCutoffAngle);
    f.number(" yaw: ", yaw);
    f.number(" pitch: ", pitch);
    f.number(" constantAttenuationCoefficient: ", constantAttenuationCoefficient);
    f.number(" linearAttenuationCoefficient: ", linearAttenuationCoefficient);
    f.number(" quadraticAttenuationCoefficient: ", quadraticAttenuationCoefficient);
    f.number(" modelingLight: ", modelingLight);
    f.reservedBytes(reserved4, sizeof reserved4);
}
