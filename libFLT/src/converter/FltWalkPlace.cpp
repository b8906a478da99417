#include "FltWalkPlace.h"

#include <algorithm>

#include "FltRecord.h"

void FltWalkPlace::setRecords(const std::vector<FltRecord*>* fileRecords, std::string name)
{
    records = fileRecords;
    fileName = std::move(name);
    atHand = nullptr;
    offsets.clear();
}

FltWarningPlace FltWalkPlace::currentPlace() const
{
    FltWarningPlace place;
    place.file = fileName;
    if (!atHand)
        return place;
    place.opcode = atHand->getOpcode();
    if (const auto* known = dynamic_cast<const AbstractFltRecord*>(atHand))
        place.recordName = known->getKindName();
    if (offsets.empty() && records) {
        // Records lie end to end from the start of the file.
        int64_t offset = 0;
        const FltRecord* previous = nullptr;
        offsets.reserve(records->size());
        for (const FltRecord* record : *records) {
            if (!record || record == previous)
                continue;
            offsets.emplace_back(record, offset);
            offset += record->getLength();
            previous = record;
        }
        std::sort(offsets.begin(), offsets.end());
    }
    const auto found = std::lower_bound(offsets.begin(), offsets.end(), std::make_pair(atHand, int64_t(-1)));
    if (found != offsets.end() && found->first == atHand)
        place.offset = found->second;
    return place;
}
