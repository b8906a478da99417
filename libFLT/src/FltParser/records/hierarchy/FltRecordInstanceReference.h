#pragma once

#include "AbstractInstanceRecord.h"

// Places the shared subtree of an instance definition here.
class FltRecordInstanceReference : public AbstractInstanceRecord {
public:
    using AbstractInstanceRecord::AbstractInstanceRecord;
    int32_t getOpcode() const override;

protected:
    const char* getTitle() const override;
};
