#pragma once

#include "AbstractControlRecord.h"

// Closes the level the matching push level opened.
class FltRecordPopLevel : public AbstractControlRecord {
public:
    using AbstractControlRecord::AbstractControlRecord;
    int32_t getOpcode() const override;

protected:
    const char* getTitle() const override;
};
