#pragma once

#include "AbstractExtensionControlRecord.h"

// Closes a block of vendor extension records.
class FltRecordPopExtension : public AbstractExtensionControlRecord {
public:
    using AbstractExtensionControlRecord::AbstractExtensionControlRecord;
    int32_t getOpcode() const override;

protected:
    const char* getTitle() const override;
};
