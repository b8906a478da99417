#include "FltRecordMatrix.h"

void FltRecordMatrix::describe(FltFields& f)
{
    f.matrix(matrix);
}
