#include "FltRecordUnknown.h"

void FltRecordUnknown::read(const unsigned char* data)
{
    if (getLength() > 4)
        body.assign(data + 4, data + getLength());
}
