#include "FltRecordFace.h"

void FltRecordFace::describe(FltFields& f)
{
    f.text("idField: ", idField, sizeof idField);
    describeAfterIdentifier(f);
    f.number("IRColorCode: ", IRColorCode);
    f.number("relativePriority: ", relativePriority);
    f.number("drawType: ", drawType);
    f.number("textureWhite: ", textureWhite);
    f.number("colorNameIndex: ", colorNameIndex);
    f.number("alternateColorNameIndex: ", alternateColorNameIndex);
    f.reserved(reserved1);
    f.number("templateBillboard: ", templateBillboard);
    f.number("detailTexturePatternIndex: ", detailTexturePatternIndex);
    f.number("texturePatternIndex: ", texturePatternIndex);
    f.number("materialIndex: ", materialIndex);
    f.number("surfaceMaterialCode: ", surfaceMaterialCode);
    f.number("idFeature: ", idFeature);
    f.number("IRMaterialCode: ", IRMaterialCode);
    f.number("transparency: ", transparency);
    f.number("LODGenerationControl: ", LODGenerationControl);
    f.number("lineStyleIndex: ", lineStyleIndex);
    f.flags(nullptr, flags,
            {{31, "flags:           Terrain: "},
             {30, "                No Color: "},
             {29, "      No Alternate Color: "},
             {28, "            Packed Color: "},
             {27, "  Terrain Culture Cutout: "},
             {26, "      Hidden (not drawn): "}});
    f.number("lightMode: ", lightMode);
    f.reserved(reserved2);
    f.reserved(reserved3);
    f.reserved(reserved4);
    static const char* const primaryLabels[4] = {
        "packedColor: alpha=", "              blue=", "             green=",
        "               red="};
    static const char* const alternateLabels[4] = {
        "alternatePackedColor: alpha=", "                       blue=",
        "                      green=", "                        red="};
    f.packedColor(primaryLabels, packedPrimaryColor);
    f.packedColor(alternateLabels, packedAlternateColor);

    // The fallbacks of older faces; a newer face cut short keeps them too.
    if (f.decoding()) {
        textureMappingIndex = -1;
        primaryColorIndex = colorNameIndex;
        alternateColorIndex = colorNameIndex;
    }
    if (getVersion() >= 1500) {
        f.number("textureMappingIndex: ", textureMappingIndex);
        f.reserved(reserved5);
        f.number("primaryColorIndex: ", primaryColorIndex);
        f.number("alternateColorIndex: ", alternateColorIndex);
        f.reserved(reserved6);
        f.reserved(reserved7);
    } else if (f.dumping()) {
        f.number("primaryColorIndex: ", primaryColorIndex);
    }
}
