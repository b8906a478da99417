#pragma once

#include "AbstractInstanceRecord.h"

// Starts a shared subtree that instance references place elsewhere.
class FltRecordInstanceDefinition : public AbstractInstanceRecord {
public:
    using AbstractInstanceRecord::AbstractInstanceRecord;
    int32_t getOpcode() const override;

protected:
    const char* getTitle() const override;
};
