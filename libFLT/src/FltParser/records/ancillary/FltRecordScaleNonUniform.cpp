#include "FltRecordScaleNonUniform.h"

void FltRecordScaleNonUniform::describe(FltFields& f)
{
    f.reserved(reserved);
    f.number("XCenter.: ", XCenter);
    f.number("YCenter: ", YCenter);
    f.number("ZCenter: ", ZCenter);
    f.number("XScaleFactor: ", XScaleFactor);
    f.number("YScaleFactor: ", YScaleFactor);
    f.number("ZScaleFactor: ", ZScaleFactor);
}
