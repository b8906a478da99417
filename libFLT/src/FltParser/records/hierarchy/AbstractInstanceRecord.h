#ifndef ABSTRACT_INSTANCE_RECORD_H
#define ABSTRACT_INSTANCE_RECORD_H

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

#endif
