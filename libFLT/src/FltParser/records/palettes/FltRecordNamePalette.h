#pragma once

#include <cstddef>
#include <map>
#include <string>

#include "FltRecord.h"

// The table of names by index.
class FltRecordNamePalette : public PaletteFltRecord {
public:
    using PaletteFltRecord::PaletteFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordNamePalette>; }

    // Longer names are cut to this many characters.
    static constexpr std::size_t maxNameLength = 80;

    int32_t numberOfNames = 0;
    uint16_t nextAvailableIndex = 0;
    std::map<int, std::string> names;

protected:
    const char* getTitle() const override { return "\n NAME PALETTE RECORD "; }
    void describe(FltFields& f) override;

private:
    void readNames(FltCursor& cursor);
    void describeNames(FltFields& f);
};
