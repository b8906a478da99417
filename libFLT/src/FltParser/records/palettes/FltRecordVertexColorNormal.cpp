#include "FltRecordVertexColorNormal.h"

void FltRecordVertexColorNormal::describeAttributes(FltFields& f)
{
    describeNormal(f, vertexNormal);
}

void FltRecordVertexColorNormal::describeTrailer(FltFields& f)
{
    if (holdsTrailer(lengthWithTrailer))
        f.reserved(reserved1);
}
