#include "RecordBytes.h"

#include "FltReencode.h"
#include "FltRecord.h"
#include "FltWriteRecords.h"

std::vector<unsigned char> recordBytes(const std::vector<std::unique_ptr<FltRecord>>& records) {
    std::vector<FltRecord*> list;
    list.reserve(records.size());
    for (const auto& record : records) list.push_back(record.get());
    return encodeFltRecords(list);
}

bool reencodeFlt(const std::vector<unsigned char>& input, const std::string& name, std::vector<unsigned char>& output,
                 std::string& error) {
    FltReencoded reencoded = reencodeFltImage(input.data(), input.size(), name);
    if (!reencoded.openFlight) {
        error = "not an OpenFlight database";
        return false;
    }
    output = std::move(reencoded.bytes);
    return true;
}
