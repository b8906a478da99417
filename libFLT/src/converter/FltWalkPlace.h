#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "FltWarningMessageConsole.h"

class FltRecord;

// The record a converter works on, for the warnings raised meanwhile: its
// opcode, kind and byte offset in the file. Offsets are worked out only when
// a warning asks, once per walk.
class FltWalkPlace : public FltWarningPlaceSource {
public:
    // `records`: the file's records in file order, as the parse cut them.
    void setRecords(const std::vector<FltRecord*>* records, std::string fileName);
    void setRecordAtHand(const FltRecord* record) { atHand = record; }

    FltWarningPlace currentPlace() const override;

private:
    const std::vector<FltRecord*>* records = nullptr;
    std::string fileName;
    const FltRecord* atHand = nullptr;
    // Each record's offset, sorted by record for the lookup.
    mutable std::vector<std::pair<const FltRecord*, int64_t>> offsets;
};
