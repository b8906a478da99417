#pragma once

#include "AbstractExtensionControlRecord.h"

// Opens a block of vendor extension records.
class FltRecordPushExtension : public AbstractExtensionControlRecord {
public:
    using AbstractExtensionControlRecord::AbstractExtensionControlRecord;
    int32_t getOpcode() const override;

protected:
    const char* getTitle() const override;
};
