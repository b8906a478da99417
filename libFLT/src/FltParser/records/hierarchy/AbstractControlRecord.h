#pragma once

#include "FltRecord.h"

// Reports a control record whose length is not its family's fixed size; the
// record is kept with the length it was given.
void checkControlRecordLength(uint32_t length, uint32_t expected);

// Push/pop level and push/pop subface: a bare 4-byte header, no fields.
class AbstractControlRecord : public ControlFltRecord {
public:
    static constexpr uint32_t recordSize = 4;

    explicit AbstractControlRecord(uint32_t length);
};
