#include "FltRecordGeneralMatrix.h"

const char* FltRecordGeneralMatrix::getTitle() const
{
    return "\n GENERAL_MATRIX RECORD ";
}
