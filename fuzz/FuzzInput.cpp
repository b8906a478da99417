#include "FuzzInput.h"

#include <cstring>

namespace {

constexpr std::size_t kSeparatorLength = sizeof kFuzzFileSeparator - 1;
constexpr std::size_t kMarkerLength = sizeof kFuzzOptionsMarker - 1;

} // namespace

FuzzInputParts splitFuzzInput(const uint8_t* data, std::size_t size)
{
    FuzzInputParts parts;
    if (size > kMarkerLength && std::memcmp(data + size - 1 - kMarkerLength, kFuzzOptionsMarker, kMarkerLength) == 0) {
        parts.hasOptions = true;
        parts.options = data[size - 1];
        size -= kMarkerLength + 1;
    }
    const uint8_t* begin = data;
    const uint8_t* end = data + size;
    while (parts.files.size() < kFuzzMaxFiles) {
        const void* found = memmem(begin, end - begin, kFuzzFileSeparator, kSeparatorLength);
        const uint8_t* cut = found ? static_cast<const uint8_t*>(found) : end;
        parts.files.push_back({begin, static_cast<std::size_t>(cut - begin)});
        if (!found)
            break;
        begin = cut + kSeparatorLength;
    }
    return parts;
}

std::vector<uint8_t> joinFuzzInput(const std::vector<std::vector<uint8_t>>& files, bool hasOptions, uint8_t options)
{
    std::vector<uint8_t> input;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (i)
            input.insert(input.end(), kFuzzFileSeparator, kFuzzFileSeparator + kSeparatorLength);
        input.insert(input.end(), files[i].begin(), files[i].end());
    }
    if (hasOptions) {
        input.insert(input.end(), kFuzzOptionsMarker, kFuzzOptionsMarker + kMarkerLength);
        input.push_back(options);
    }
    return input;
}
