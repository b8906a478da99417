#include "AbstractInstanceRecord.h"

void AbstractInstanceRecord::describe(FltFields& f)
{
    f.number("spare: ", spare);
    f.number("instanceDefinitionNumber: ", instanceDefinitionNumber);
}
