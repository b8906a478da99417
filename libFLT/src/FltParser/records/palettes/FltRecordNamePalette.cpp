#include "FltRecordNamePalette.h"

#include <algorithm>
#include <cstring>

namespace {
// Entry length (int32) and name index (uint16) before the name.
constexpr int32_t entryHeadSize = 6;
} // namespace

void FltRecordNamePalette::describe(FltFields& f)
{
    f.number("numberOfNames: ", numberOfNames);
    f.number("nextAvailableIndex: ", nextAvailableIndex);
    if (FltCursor* c = f.decoding())
        readNames(*c);
    else if (f.encoding())
        describeNames(f);
    if (FltDumpWriter* out = f.dumping())
        for (const auto& entry : names)
            (*out << "name[" << int32_t{entry.first} << "] : " << entry.second).endl();
}

// The count and the entry lengths come from the file: every entry takes at
// least its head from the record, so the loop ends with the record's bytes.
void FltRecordNamePalette::readNames(FltCursor& cursor)
{
    const std::size_t missingBefore = cursor.missing();
    for (int32_t n = 0; n < numberOfNames && !cursor.atEnd(); ++n) {
        int32_t entryLength = 0;
        uint16_t nameIndex = 0;
        readField(entryLength, cursor);
        readField(nameIndex, cursor);
        if (cursor.missing() != missingBefore)
            break; // the record ends inside this entry's head
        // An entry shorter than its own head has no name to give.
        if (entryLength < entryHeadSize) {
            keepAsRead();
            continue;
        }
        const std::size_t textLength = static_cast<std::size_t>(entryLength - entryHeadSize);
        const std::size_t kept = std::min(textLength, maxNameLength);
        char text[maxNameLength + 1] = {};
        readBytes(text, cursor, kept);
        cursor.skip(textLength - kept);
        // Names kept whole, zero-terminated and in index order write back
        // as they were; any other palette is kept as read.
        const bool asStored = textLength == std::strlen(text) + 1 &&
                              (names.empty() || names.rbegin()->first < nameIndex);
        if (!asStored)
            keepAsRead();
        names[nameIndex] = text;
    }
}

void FltRecordNamePalette::describeNames(FltFields& f)
{
    for (auto& entry : names) {
        int32_t entryLength = static_cast<int32_t>(entryHeadSize + entry.second.size() + 1);
        uint16_t nameIndex = static_cast<uint16_t>(entry.first);
        f.reserved(entryLength);
        f.reserved(nameIndex);
        f.reservedBytes(&entry.second[0], entry.second.size() + 1);
    }
}
