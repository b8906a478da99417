#pragma once

#include <cstddef>
#include <map>
#include <string>

#include "FltRecord.h"
#include "FltVersion.h"

// A colour name: the text that the palette gives to one colour index.
class FltColorEntry {
public:
    FltColorEntry() = default;
    FltColorEntry(const FltColorEntry&) = default;
    FltColorEntry& operator=(const FltColorEntry&) = default;
    FltColorEntry(FltColorEntry&&) = default;
    FltColorEntry& operator=(FltColorEntry&&) = default;
    virtual ~FltColorEntry() = default;

    // The entry's fixed part: length, reserved, index, reserved.
    static constexpr uint16_t headSize = 8;

    uint16_t length = 0; // whole entry, head included
    int16_t reserved1 = 0;
    int16_t index = 0;
    int16_t reserved2 = 0;
    // The name field's bytes as far as the record holds them; the text ends
    // at the first zero byte.
    std::string name;
};

// The colour table. Values hold red in bits 0-7, green 8-15, blue 16-23 and
// alpha 24-31. From revision 1421 on, colour names may follow the colours.
class FltRecordColorPalette : public PaletteFltRecord, public FltVersion {
public:
    using PaletteFltRecord::PaletteFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordColorPalette>; }

    // 32 intensity ramps of 128 steps plus 56 fixed colours: the expanded
    // table of the oldest revisions, and the size the converter copies.
    static constexpr std::size_t colorCount = 32 * 128 + 56;

    unsigned char reserved[128] = {};
    uint32_t color[colorCount] = {};
    int32_t numberOfColorNames = 0;
    std::map<int, FltColorEntry> setOfColorEntries;

protected:
    const char* getTitle() const override { return "\n COLOR PALETTE RECORD "; }
    void describe(FltFields& f) override;

private:
    void readRamps(FltCursor& cursor);
    void readColorNames(FltCursor& cursor);
    void describeColorNames(FltFields& f);
    void dump(FltDumpWriter& out) const;
};
