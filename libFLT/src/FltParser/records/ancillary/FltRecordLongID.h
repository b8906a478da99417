#pragma once

#include "AbstractTextRecord.h"

// The full name of the record before it, when 8 characters were not enough.
class FltRecordLongID : public AbstractTextRecord {
public:
    using AbstractTextRecord::AbstractTextRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordLongID>; }

    // The body bytes; idASCII.c_str() is the terminated name.
    std::string idASCII;

protected:
    const char* getTitle() const override { return "\n LONG_ID RECORD "; }
    void describe(FltFields& f) override;
};
