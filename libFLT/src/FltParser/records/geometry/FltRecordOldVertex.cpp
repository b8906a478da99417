#include "FltRecordOldVertex.h"

#include "FltRecordVertexColor.h"

void FltRecordOldVertex::describe(FltFields& f)
{
    f.number("Xcoordinate: ", Xcoordinate);
    f.number("Ycoordinate: ", Ycoordinate);
    f.number("Zcoordinate: ", Zcoordinate);
    describeAttributes(f);
    if (hasTexture())
        describeVertexTexture(f, texture);
}
