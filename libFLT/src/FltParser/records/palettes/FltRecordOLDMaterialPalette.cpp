#include "FltRecordOLDMaterialPalette.h"

namespace {
constexpr int firstNamedRevision = 14;
} // namespace

void FltRecordOLDMaterialPalette::describe(FltFields& f)
{
    const bool named = getVersion() >= firstNamedRevision;
    for (std::size_t i = 0; i < materialCount; ++i) {
        Entry& e = entries[i];
        if (FltDumpWriter* out = f.dumping())
            out->line(" Material at index: ", static_cast<uint32_t>(i));
        f.emptyLine();
        f.number(" ambientRed: ", e.ambient[0]);
        f.number(" ambientGreen : ", e.ambient[1]);
        f.number(" ambientBlue: ", e.ambient[2]);
        f.emptyLine();
        f.number(" diffuseRed: ", e.diffuse[0]);
        f.number(" diffuseGreen: ", e.diffuse[1]);
        f.number(" diffuseBlue: ", e.diffuse[2]);
        f.emptyLine();
        f.number(" specularRed : ", e.specular[0]);
        f.number(" specularGreen: ", e.specular[1]);
        f.number(" specularBlue: ", e.specular[2]);
        f.emptyLine();
        f.number(" emissiveRed: ", e.emissive[0]);
        f.number(" emissiveGreen: ", e.emissive[1]);
        f.number(" emissiveBlue: ", e.emissive[2]);
        f.emptyLine();
        f.number("shininess: ", e.shininess);
        f.number("alpha: ", e.alpha);
        f.flags("flags: ", e.flags, {{materialUsedBit, "      material used: "}});
        if (named) {
            f.text("name : ", e.name, sizeof e.name);
        } else {
            // Older files keep whatever lies in the name bytes: not a name.
            f.reservedBytes(e.unnamedBytes, sizeof e.unnamedBytes);
        }
        f.reservedBytes(e.spare, sizeof e.spare);
        f.emptyLine();
    }
}
