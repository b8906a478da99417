#include "AbstractControlRecord.h"

#include "FltWarningMessageConsole.h"

void checkControlRecordLength(uint32_t length, uint32_t expected)
{
    if (length != expected)
        addWarning("WARNING ! this ControlRecord hasn t the correct length !", 1, false);
}

AbstractControlRecord::AbstractControlRecord(uint32_t length) : ControlFltRecord(length)
{
    checkControlRecordLength(length, recordSize);
}
