#include "FltRecordLongID.h"

void FltRecordLongID::describe(FltFields& f)
{
    bodyText(f, "idASCII: ", idASCII);
}
