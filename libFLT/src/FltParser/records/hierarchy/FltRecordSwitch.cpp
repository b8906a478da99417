#include "FltRecordSwitch.h"

#include "FltFieldRuns.h"

#include <limits>

void FltRecordSwitch::describe(FltFields& f)
{
    f.text("idASCII: ", idASCII, sizeof idASCII);
    f.reserved(reserved1);
    f.number("indexOfCurrentMask: ", indexOfCurrentMask);
    f.number("numberOfMasks: ", numberOfMasks);
    f.number("numberOf32BitWordsPerMask: ", numberOf32BitWordsPerMask);

    // The counts come from the file: take no more words than the bytes hold.
    const int64_t wanted = int64_t{numberOfMasks} * int64_t{numberOf32BitWordsPerMask};
    const uint64_t wantedWords = wanted > 0 ? static_cast<uint64_t>(wanted) : 0;
    if (FltCursor* cursor = f.decoding()) {
        const uint64_t heldWords = cursor->remaining() / sizeof(uint32_t);
        maskWords.assign(wantedWords < heldWords ? wantedWords : heldWords, 0);
    }
    describeRun(f, maskWords);
    if (FltCursor* cursor = f.decoding()) {
        // Let the short-record check see the words the counts promised in vain.
        const uint64_t lacking = wantedWords - maskWords.size();
        const uint64_t limit = std::numeric_limits<std::size_t>::max() / sizeof(uint32_t);
        if (lacking > 0)
            cursor->skip(static_cast<std::size_t>(lacking < limit ? lacking : limit) *
                         sizeof(uint32_t));
    }
    if (FltDumpWriter* out = f.dumping()) {
        for (std::size_t i = 0; i < maskWords.size(); ++i) {
            (*out << "Mask number " << static_cast<uint64_t>(i) << ": ").endl();
            for (int bit = 31; bit >= 0; --bit)
                *out << (testBit(maskWords[i], bit) ? '1' : '0');
            out->endl();
        }
    }
}

uint32_t FltRecordSwitch::getMaskWord(int32_t mask, int32_t word) const
{
    if (mask < 0 || word < 0 || word >= numberOf32BitWordsPerMask)
        return 0;
    const uint64_t index = uint64_t(mask) * uint64_t(numberOf32BitWordsPerMask) + uint64_t(word);
    return index < maskWords.size() ? maskWords[index] : 0;
}

int32_t FltRecordSwitch::getAvailableMaskCount() const
{
    if (numberOf32BitWordsPerMask <= 0)
        return 0;
    const uint64_t whole = maskWords.size() / uint64_t(numberOf32BitWordsPerMask);
    return static_cast<int32_t>(whole < uint64_t(numberOfMasks) ? whole : numberOfMasks);
}
