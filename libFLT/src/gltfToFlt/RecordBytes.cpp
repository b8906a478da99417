#include "RecordBytes.h"

#include "FltRecord.h"

// Placeholder until the record encoder is merged.
std::vector<unsigned char> recordBytes(const std::vector<std::unique_ptr<FltRecord>>&) { return {}; }

bool reencodeFlt(const std::vector<unsigned char>&, std::vector<unsigned char>&, std::string& error) {
    error = "re-encoding is not available";
    return false;
}
