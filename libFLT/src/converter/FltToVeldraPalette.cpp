// Palette records fill the converter's tables; they make no nodes of their own.

#include "FltRecord.h"
#include "FltToVeldra.h"

void FltToVeldra::convertPalette(FltRecord*)
{
}
