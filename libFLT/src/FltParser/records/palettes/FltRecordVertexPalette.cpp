#include "FltRecordVertexPalette.h"

void FltRecordVertexPalette::describe(FltFields& f)
{
    f.number("vertexPaletteTotalLength: ", vertexPaletteTotalLength);
}
