#pragma once

#include <map>
#include <vector>

#include "FltRecord.h"

// Sound file references, stored as a header part (index to name offset) and
// a data part (the packed names). The factory hands a data record that
// follows a header record to the same object, so `read` may run once per
// part; each run fills its own part and leaves the other as it is.
class FltRecordSoundPalette : public PaletteFltRecord {
public:
    using PaletteFltRecord::PaletteFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordSoundPalette>; }

    static constexpr int32_t headerPart = 1;
    static constexpr int32_t dataPart = 2;

    void read(const unsigned char* data) override;
    // Writes back each part read, as it was read: the parts share this one
    // object, and the fields hold only their union.
    void encode(std::vector<unsigned char>& out) override;

    // The parts read so far, as a set of the bits above.
    int32_t subType = 0;
    int32_t maxNumber = 0;
    int32_t actualNumber = 0;
    int32_t totalLength = 0;
    int32_t reserved[3] = {};
    // Sound index to the offset of its file name in packedData.
    std::map<int32_t, int32_t> fileNameOffsets;
    int32_t dataLength = 0;
    // The packed bytes the record holds (dataLength of them when it is whole)
    // and a closing zero; empty until a data part is read.
    std::vector<char> packedData;

protected:
    const char* getTitle() const override { return "\n SOUND PALETTE RECORD "; }
    void describe(FltFields& f) override;

private:
    void describeHeaderPart(FltFields& f);
    void describeDataPart(FltFields& f);

    bool readBefore = false;
    // Each record read into this object, header included.
    std::vector<std::vector<unsigned char>> partsAsRead;
};
