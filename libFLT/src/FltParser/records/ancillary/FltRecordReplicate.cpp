#include "FltRecordReplicate.h"

void FltRecordReplicate::describe(FltFields& f)
{
    f.number("numberOfReplications: ", numberOfReplications);
    f.reserved(reserved1);
}
