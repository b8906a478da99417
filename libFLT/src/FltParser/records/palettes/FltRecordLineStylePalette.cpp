#include "FltRecordLineStylePalette.h"

void FltRecordLineStylePalette::describe(FltFields& f)
{
    f.number("lineStyleIndex : ", lineStyleIndex);
    f.number("patternMask : ", patternMask);
    f.number("lineWidth : ", lineWidth);
}
