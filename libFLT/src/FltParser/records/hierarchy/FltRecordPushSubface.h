#pragma once

#include "AbstractControlRecord.h"

// Opens the subfaces of the face before it.
class FltRecordPushSubface : public AbstractControlRecord {
public:
    using AbstractControlRecord::AbstractControlRecord;
    int32_t getOpcode() const override;

protected:
    const char* getTitle() const override;
};
