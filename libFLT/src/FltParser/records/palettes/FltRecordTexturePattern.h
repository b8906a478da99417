#pragma once

#include "FltRecord.h"

// One texture file of the texture palette and the index faces use for it.
class FltRecordTexturePattern : public PaletteFltRecord {
public:
    using PaletteFltRecord::PaletteFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordTexturePattern>; }

    char fileName[200] = {};
    int32_t patternIndex = 0;
    int32_t XlocationInTexturePalette = 0;
    int32_t YlocationInTexturePalette = 0;

protected:
    const char* getTitle() const override { return "\n TEXTURE_PATTERN RECORD "; }
    void describe(FltFields& f) override;
};
