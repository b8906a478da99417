#include "FltRecordRotateAboutEdge.h"

void FltRecordRotateAboutEdge::describe(FltFields& f)
{
    f.reserved(reserved);
    f.number("XCenter1: ", XCenter1);
    f.number("YCenter1: ", YCenter1);
    f.number("ZCenter1: ", ZCenter1);
    f.number("XCenter2: ", XCenter2);
    f.number("YCenter2: ", YCenter2);
    f.number("ZCenter2: ", ZCenter2);
    f.number("angleToRotate: ", angleToRotate);
}
