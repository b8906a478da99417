#pragma once

#include "AbstractControlRecord.h"

// Push/pop extension: 18 reserved bytes and the vertex reference index.
class AbstractExtensionControlRecord : public ControlFltRecord {
public:
    static constexpr uint32_t recordSize = 24;

    explicit AbstractExtensionControlRecord(uint32_t length);

    unsigned char reserved1[18] = {};
    uint16_t vertexReferenceIndex = 0;

protected:
    void describe(FltFields& f) override;
};
