#pragma once

#include <vector>

#include "FltRecord.h"

// Site-specific data attached to the preceding node, kept opaque.
class FltRecordExtensionAttribute : public AncillaryFltRecord {
public:
    using AncillaryFltRecord::AncillaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordExtensionAttribute>; }

    char idASCII[8] = {};
    char idSite[8] = {};
    int8_t reserved = 0;
    int8_t revision = 0;
    uint16_t recordCode = 0;
    // Every byte behind the fixed part, unchanged; never printed.
    std::vector<unsigned char> extendedData;

protected:
    const char* getTitle() const override { return "\n EXTENSION ATTRIBUTE RECORD "; }
    void describe(FltFields& f) override;
};
