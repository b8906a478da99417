#include "FltRecordVertexColorUv.h"

void FltRecordVertexColorUv::describeAttributes(FltFields& f)
{
    describeVertexTexture(f, texture);
}
