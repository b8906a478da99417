#pragma once

#include <vector>

#include "FltRecord.h"

// Shows the children that the bits of its current mask select.
class FltRecordSwitch : public PrimaryFltRecord {
public:
    using PrimaryFltRecord::PrimaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordSwitch>; }

    char idASCII[8] = {};
    int32_t reserved1 = 0;
    int32_t indexOfCurrentMask = 0;
    int32_t numberOfMasks = 0;
    int32_t numberOf32BitWordsPerMask = 0;
    // Mask m, word w at m * numberOf32BitWordsPerMask + w. Holds only the
    // words the record really contains, which a lying count may make fewer
    // than numberOfMasks * numberOf32BitWordsPerMask.
    std::vector<uint32_t> maskWords;

    // Word `word` of mask `mask`, or 0 when the record does not hold it.
    uint32_t getMaskWord(int32_t mask, int32_t word) const;
    // The number of whole masks the record holds.
    int32_t getAvailableMaskCount() const;

protected:
    const char* getTitle() const override { return "\n SWITCH RECORD "; }
    void describe(FltFields& f) override;
};
