#include "FltRecordColorPalette.h"

#include <algorithm>

namespace {

// Revisions up to 13 store 32 ramp colours and 56 fixed colours as RGB triples.
constexpr int lastRampRevision = 13;
// Revisions up to 14.2 store 512 colours; later ones 1024 and the names.
constexpr int lastShortTableRevision = 1420;
constexpr std::size_t rampColors = 32;
constexpr std::size_t rampSteps = 128;
constexpr std::size_t fixedColors = 56;
// The record with 1024 colours and nothing behind them.
constexpr uint32_t colorsOnlyLength = 4 + 128 + 1024 * 4;
// Up to this length a palette can only hold the 512-colour table.
constexpr uint32_t shortTableLength = 4 + 128 + 512 * 4;

uint32_t rgb(uint32_t red, uint32_t green, uint32_t blue)
{
    return red | (green << 8) | (blue << 16);
}

// Red to the top byte, alpha to the bottom: the packed form the dump shows.
uint32_t reversed(uint32_t v)
{
    return (v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24);
}

} // namespace

void FltRecordColorPalette::describe(FltFields& f)
{
    const int32_t revision = getVersion();
    if (revision <= lastRampRevision) {
        // The ramps made of the base colours cannot give them back.
        if (FltCursor* c = f.decoding()) {
            readRamps(*c);
            keepAsRead();
        }
    } else {
        f.reservedBytes(reserved, sizeof reserved);
        FltValueRef stored(color);
        stored.count = revision <= lastShortTableRevision ? 512 : 1024;
        f.reserved(stored);
        if (revision > lastShortTableRevision) {
            if (FltCursor* c = f.decoding())
                readColorNames(*c);
            else if (f.encoding())
                describeColorNames(f);
        }
    }
    if (FltDumpWriter* out = f.dumping())
        dump(*out);
}

// The oldest palettes hold base colours; each becomes a ramp of 128
// intensities from black up to just below the full colour.
void FltRecordColorPalette::readRamps(FltCursor& cursor)
{
    for (std::size_t c = 0; c < rampColors; ++c) {
        unsigned char base[3] = {};
        readBytes(base, cursor, sizeof base);
        for (std::size_t j = 0; j < rampSteps; ++j) {
            const float f = static_cast<float>(j) / 128.0f;
            color[c * rampSteps + j] =
                rgb(static_cast<uint32_t>(base[0] * f), static_cast<uint32_t>(base[1] * f),
                    static_cast<uint32_t>(base[2] * f));
        }
    }
    for (std::size_t k = 0; k < fixedColors; ++k) {
        unsigned char fixed[3] = {};
        readBytes(fixed, cursor, sizeof fixed);
        color[rampColors * rampSteps + k] = rgb(fixed[0], fixed[1], fixed[2]);
    }
}

// The count and the entry lengths come from the file: every entry takes at
// least its head from the record, so the loop ends with the record's bytes.
void FltRecordColorPalette::readColorNames(FltCursor& cursor)
{
    if (getLength() <= colorsOnlyLength) {
        numberOfColorNames = 0;
        return;
    }
    readField(numberOfColorNames, cursor);
    const std::size_t missingBefore = cursor.missing();
    for (int32_t n = 0; n < numberOfColorNames && !cursor.atEnd(); ++n) {
        FltColorEntry entry;
        readField(entry.length, cursor);
        readField(entry.reserved1, cursor);
        readField(entry.index, cursor);
        readField(entry.reserved2, cursor);
        if (cursor.missing() != missingBefore)
            break; // the record ends inside this entry's head
        const std::size_t nameLength =
            entry.length > FltColorEntry::headSize ? entry.length - FltColorEntry::headSize : 0;
        const std::size_t present = std::min(nameLength, cursor.remaining());
        entry.name.assign(reinterpret_cast<const char*>(cursor.position()), present);
        cursor.skip(nameLength);
        // An entry shorter than its own head has no name to give.
        if (entry.length < FltColorEntry::headSize) {
            keepAsRead();
            continue;
        }
        // Entries in index order write back as they were; others are kept as read.
        if (!setOfColorEntries.empty() && setOfColorEntries.rbegin()->first >= entry.index)
            keepAsRead();
        setOfColorEntries[entry.index] = std::move(entry);
    }
}

void FltRecordColorPalette::describeColorNames(FltFields& f)
{
    if (getLength() <= colorsOnlyLength)
        return;
    f.reserved(numberOfColorNames);
    for (auto& keyed : setOfColorEntries) {
        FltColorEntry& entry = keyed.second;
        f.reserved(entry.length);
        f.reserved(entry.reserved1);
        f.reserved(entry.index);
        f.reserved(entry.reserved2);
        f.reservedBytes(&entry.name[0], entry.name.size());
    }
}

void FltRecordColorPalette::dump(FltDumpWriter& out) const
{
    const uint32_t shown = getLength() <= shortTableLength ? 512 : 1024;
    (out << "here's the " << shown << " values of the color Palette:").endl();
    for (uint32_t i = 0; i < shown; ++i)
        ((out << "  color[" << i << "] = (").hex(reversed(color[i])) << ")").endl();
    if (shown != 1024)
        return;
    out.line("numberOfColorNames: ", numberOfColorNames);
    out.line("number of elements in setOfColorEntries: ",
             static_cast<uint64_t>(setOfColorEntries.size()));
    if (setOfColorEntries.empty()) {
        (out << "(No Color Entry)").endl();
        return;
    }
    uint32_t k = 0;
    for (const auto& keyed : setOfColorEntries) {
        const FltColorEntry& entry = keyed.second;
        (out << ++k << "st ColorEntry ").endl();
        out.line("  length: ", entry.length);
        out.line("   index: ", entry.index);
        (out << "    name: ").text(entry.name.data(), entry.name.size()).endl();
    }
}
