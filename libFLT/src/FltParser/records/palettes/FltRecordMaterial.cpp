#include "FltRecordMaterial.h"

void FltRecordMaterial::describe(FltFields& f)
{
    f.number("index: ", index);
    f.text("name : ", name, sizeof name);
    // The flag word is shown as one sentence rather than as a bit line.
    if (FltDumpWriter* out = f.dumping())
        (*out << "flags: material IS "
              << (testBit(static_cast<uint32_t>(flags), materialUsedBit) ? "" : "NOT ") << "used")
            .endl();
    else
        f.reserved(flags);
    f.number("ambient  (RGB) : ", ambient);
    f.number("diffuse  (RGB) : ", diffuse);
    f.number("specular (RGB) : ", specular);
    f.number("emissive (RGB) : ", emissive);
    f.number("shininess      : ", shininess);
    f.number("alpha          : ", alpha);
    f.reserved(spare);
}
