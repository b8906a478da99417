#pragma once

#include "AbstractControlRecord.h"

// Opens a level of the tree under the record before it.
class FltRecordPushLevel : public AbstractControlRecord {
public:
    using AbstractControlRecord::AbstractControlRecord;
    int32_t getOpcode() const override;

protected:
    const char* getTitle() const override;
};
