#pragma once

#include "FltRecord.h"

// One line style: its 16-bit on/off pattern and its width.
class FltRecordLineStylePalette : public PaletteFltRecord {
public:
    using PaletteFltRecord::PaletteFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordLineStylePalette>; }

    int16_t lineStyleIndex = 0;
    int16_t patternMask = 0;
    int32_t lineWidth = 0;

protected:
    const char* getTitle() const override { return "\n LINE STYLE PALETTE RECORD "; }
    void describe(FltFields& f) override;
};
