#include "FltRecordOldVertexColorNormal.h"

void FltRecordOldVertexColorNormal::describeAttributes(FltFields& f)
{
    FltRecordOldVertexColor::describeAttributes(f);
    f.number("vertexNormalScaled: i=", vertexNormalScaled[0]);
    f.number("                    j=", vertexNormalScaled[1]);
    f.number("                    k=", vertexNormalScaled[2]);
}
