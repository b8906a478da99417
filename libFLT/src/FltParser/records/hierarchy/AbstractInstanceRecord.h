#pragma once

#include "FltRecord.h"

// Instance definition and reference: both carry the instance number only.
class AbstractInstanceRecord : public ControlFltRecord {
public:
    using ControlFltRecord::ControlFltRecord;

    int16_t spare = 0;
    int16_t instanceDefinitionNumber = 0;

protected:
    void describe(FltFields& f) override;
};
