#include "FltRecordOldVertexColor.h"

void FltRecordOldVertexColor::describeAttributes(FltFields& f)
{
    // The two flag bytes are written as the characters they hold.
    if (FltDumpWriter* out = f.dumping()) {
        (*out << "hardEdgeFlag: ").rawByte(hardEdgeFlag).endl();
        (*out << "shadingFlag: ").rawByte(shadingFlag).endl();
    } else {
        f.number("hardEdgeFlag: ", hardEdgeFlag);
        f.number("shadingFlag: ", shadingFlag);
    }
    f.number("colorIndex : ", colorIndex);
}
