#include "FltRecordFraming.h"

#include "FltFieldWriter.h"
#include "FltOpcodes.h"

namespace {
constexpr std::size_t headerSize = 4;
constexpr std::size_t longestRecord = 0xFFFF;
} // namespace

std::size_t openRecord(std::vector<unsigned char>& out, int32_t opcode)
{
    const std::size_t start = out.size();
    out.resize(start + headerSize);
    toBigEndian(static_cast<int16_t>(opcode), out.data() + start);
    return start;
}

namespace {

// Whether the parts, the first with its header and each continuation with
// its own, hold exactly `length` bytes of one record.
bool partsHold(const std::vector<uint16_t>& partLengths, std::size_t length)
{
    if (partLengths.size() < 2)
        return false;
    std::size_t held = 0;
    for (std::size_t i = 0; i < partLengths.size(); ++i) {
        if (partLengths[i] < headerSize)
            return false;
        held += i == 0 ? partLengths[i] : partLengths[i] - headerSize;
    }
    return held == length;
}

} // namespace

void closeRecord(std::vector<unsigned char>& out, std::size_t start,
                 const std::vector<uint16_t>& partLengths)
{
    const std::size_t length = out.size() - start;
    const bool asRead = partsHold(partLengths, length);
    if (length <= longestRecord && !asRead) {
        toBigEndian(static_cast<uint16_t>(length), out.data() + start + 2);
        return;
    }
    std::vector<std::size_t> bodies; // of the continuations
    std::size_t first = longestRecord;
    if (asRead) {
        first = partLengths[0];
        for (std::size_t i = 1; i < partLengths.size(); ++i)
            bodies.push_back(partLengths[i] - headerSize);
    } else {
        for (std::size_t left = length - first; left > 0;) {
            bodies.push_back(left < longestRecord - headerSize ? left : longestRecord - headerSize);
            left -= bodies.back();
        }
    }
    // Rebuilt behind the first part: each continuation gets its header.
    const std::vector<unsigned char> rest(out.begin() + static_cast<std::ptrdiff_t>(start + first), out.end());
    out.resize(start + first);
    toBigEndian(static_cast<uint16_t>(first), out.data() + start + 2);
    std::size_t done = 0;
    for (std::size_t body : bodies) {
        const std::size_t at = openRecord(out, fltContinuationOpcode);
        out.insert(out.end(), rest.begin() + static_cast<std::ptrdiff_t>(done),
                   rest.begin() + static_cast<std::ptrdiff_t>(done + body));
        toBigEndian(static_cast<uint16_t>(headerSize + body), out.data() + at + 2);
        done += body;
    }
}
