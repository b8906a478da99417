#pragma once

#include "AbstractTextRecord.h"

// Free text attached to the record before it.
class FltRecordComment : public AbstractTextRecord {
public:
    using AbstractTextRecord::AbstractTextRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordComment>; }

    // The body bytes; textDescription.c_str() is the terminated text.
    std::string textDescription;

protected:
    const char* getTitle() const override { return "\n COMMENT RECORD "; }
    void describe(FltFields& f) override;
};
