#include "FltRecordObject.h"

void FltRecordObject::describe(FltFields& f)
{
    auto flagWord = [&] {
        f.flags("flags: ", flags,
                {{31, "don t display in daylight: "},
                 {30, " ---------    at dusk: "},
                 {29, " ---------    at night: "},
                 {28, "don t illuminate: "},
                 {27, "flat shaded: "},
                 {26, "group's shadow object: "}});
    };

    f.text("idASCII: ", idASCII, sizeof idASCII);
    // The file stores the flag word right after the identifier, but the dump
    // shows it after the transparency.
    if (!f.dumping())
        flagWord();
    f.number("relativePriority: ", relativePriority);
    f.number("transparency: ", transparency);
    if (f.dumping())
        flagWord();
    f.number("id1SpecialEffect: ", id1SpecialEffect);
    f.number("id2SpecialEffect: ", id2SpecialEffect);
    f.number("significance: ", significance);
    f.number("spare: ", spare);
}
