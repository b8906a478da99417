#pragma once

#include "AbstractControlRecord.h"

// Closes a subface level.
class FltRecordPopSubface : public AbstractControlRecord {
public:
    using AbstractControlRecord::AbstractControlRecord;
    int32_t getOpcode() const override;

protected:
    const char* getTitle() const override;
};
