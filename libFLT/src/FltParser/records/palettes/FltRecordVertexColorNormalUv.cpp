#include "FltRecordVertexColorNormalUv.h"

void FltRecordVertexColorNormalUv::describeAttributes(FltFields& f)
{
    describeNormal(f, vertexNormal);
    describeVertexTexture(f, texture);
}

void FltRecordVertexColorNormalUv::describeTrailer(FltFields& f)
{
    if (holdsTrailer(lengthWithTrailer))
        f.reserved(reserved1);
}
