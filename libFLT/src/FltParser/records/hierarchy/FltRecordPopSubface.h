#ifndef FLT_RECORD_POP_SUBFACE_H
#define FLT_RECORD_POP_SUBFACE_H

#include "AbstractControlRecord.h"

// Closes a subface level.
class FltRecordPopSubface : public AbstractControlRecord {
public:
    using AbstractControlRecord::AbstractControlRecord;
    int32_t getOpcode() const override;

protected:
    const char* getTitle() const override;
};

#endif
