#include "FltStructureMutator.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "FuzzInput.h"

namespace {

// The record kinds the reader knows (and a few it does not), each with a
// usual length; a variable one at a small size.
struct RecordTemplate {
    uint16_t opcode;
    uint16_t length;
};

constexpr RecordTemplate kTemplates[] = {
    {1, 324},  {2, 44},   {3, 40},   {4, 28},   {5, 80},   {7, 24},   {8, 28},   {9, 40},  {10, 4},
    {11, 4},   {14, 384}, {19, 4},   {20, 4},   {21, 24},  {22, 24},  {23, 8},   {31, 16}, {32, 4228},
    {33, 16},  {49, 68},  {50, 16},  {51, 52},  {52, 16},  {60, 12},  {61, 8},   {62, 8},  {63, 216},
    {64, 216}, {66, 84},  {67, 8},   {68, 40},  {69, 56},  {70, 64},  {71, 48},  {72, 16}, {73, 80},
    {74, 52},  {76, 64},  {78, 52},  {79, 72},  {80, 72},  {82, 140}, {83, 160}, {84, 84}, {85, 48},
    {86, 16},  {89, 20},  {91, 88},  {93, 24},  {94, 68},  {95, 320}, {96, 36},  {97, 12}, {98, 132},
    {100, 40}, {101, 64}, {102, 240}, {105, 16}, {106, 24}, {108, 32}, {109, 32}, {111, 184},
    {112, 64}, {113, 84}, {114, 16}, {150, 8},
};

// Revisions that decide how records are read, and the edges of the range.
constexpr int32_t kRevisions[] = {10, 11, 12, 13, 14, 15, 1279, 1280, 1419, 1420, 1500, 1510, 1520,
                                  1530, 1540, 1550, 1560, 1570, 1580, 1600, 1610, 2303, 2304};

constexpr uint64_t kIntegerBoundaries[] = {0,      1,      2,          3,          4,          7,
                                           8,      15,     16,         31,         32,         63,
                                           64,     127,    128,        255,        256,        1023,
                                           1024,   0x7FFF, 0x8000,     0xFFFF,     0x10000,    0x7FFFFFFF,
                                           0x80000000, 0xFFFFFFFF, 0xFFFFFFFE, ~uint64_t(0), 0x8000000000000000};

// The edges of measuring: zero of both signs, the smallest and largest
// values, infinities, not-a-number, and values an int conversion overflows.
constexpr double kFloatBoundaries[] = {0.0, -0.0, 1.0, -1.0, 0.5, 1e-45, 1e-300, 3.4e38, -3.4e38, 1e300,
                                       2147483648.0, 9.3e18, -2147483649.0, 1e-7};

constexpr const char* kReferencedNames[] = {"a.flt", "b.flt", "c.flt", "./b.flt", ".\\c.flt", "b.flt\\",
                                            "../b.flt", "missing.flt", "", "a.flt.log"};

struct NestingPair {
    uint16_t push, pop;
    uint16_t length;
};

constexpr NestingPair kNestings[] = {{10, 11, 4}, {19, 20, 4}, {21, 22, 24}};

constexpr std::size_t kTemplateCount = sizeof kTemplates / sizeof kTemplates[0];

bool isVertex(uint16_t opcode) { return opcode >= 68 && opcode <= 71; }

} // namespace

FltStructureMutator::FltStructureMutator(unsigned seed, ByteMutator byteMutator)
    : random(seed), byteMutator(byteMutator)
{
}

FltStructureMutator::Input FltStructureMutator::parse(const uint8_t* data, std::size_t size)
{
    const FuzzInputParts parts = splitFuzzInput(data, size);
    Input input;
    input.hasOptions = parts.hasOptions;
    input.options = parts.options;
    for (const FuzzBytes& file : parts.files)
        input.files.push_back(RecordStream::cut(file.data, file.size));
    return input;
}

std::vector<uint8_t> FltStructureMutator::serialise(const Input& input)
{
    std::vector<std::vector<uint8_t>> files;
    for (const RecordStream& file : input.files) {
        files.emplace_back();
        file.appendTo(files.back());
    }
    return joinFuzzInput(files, input.hasOptions, input.options);
}

std::size_t FltStructureMutator::mutate(uint8_t* data, std::size_t size, std::size_t maxSize)
{
    if (oneIn(8))
        return byteMutator(data, size, maxSize);
    Input input = parse(data, size);
    // Several changes at once now and then: some paths need two at a time.
    const std::size_t changes = oneIn(4) ? 2 + below(3) : 1;
    std::size_t changed = 0;
    for (std::size_t attempt = 0; attempt < 8 * changes && changed < changes; ++attempt)
        changed += mutateOnce(input) ? 1 : 0;
    if (!changed)
        return byteMutator(data, size, maxSize);
    const std::vector<uint8_t> mutated = serialise(input);
    if (mutated.size() > maxSize)
        return byteMutator(data, size, maxSize);
    std::copy(mutated.begin(), mutated.end(), data);
    return mutated.size();
}

std::size_t FltStructureMutator::crossOver(const uint8_t* first, std::size_t firstSize, const uint8_t* second,
                                           std::size_t secondSize, uint8_t* out, std::size_t maxOutSize)
{
    Input child = parse(first, firstSize);
    const Input other = parse(second, secondSize);
    RecordStream& to = anyFile(child);
    const RecordStream& from = other.files[below(other.files.size())];
    switch (below(3)) {
    case 0: { // the first's beginning, the second's end
        const std::size_t keep = below(to.records.size() + 1);
        const std::size_t skip = below(from.records.size() + 1);
        to.records.resize(keep);
        to.records.insert(to.records.end(), from.records.begin() + skip, from.records.end());
        to.tail = from.tail;
        break;
    }
    case 1:
        copyRecords(to, from);
        break;
    default:
        if (child.files.size() < kFuzzMaxFiles && oneIn(2))
            child.files.push_back(from);
        else
            to = from;
    }
    const std::vector<uint8_t> bytes = serialise(child);
    if (bytes.size() > maxOutSize)
        return 0;
    std::copy(bytes.begin(), bytes.end(), out);
    return bytes.size();
}

bool FltStructureMutator::mutateOnce(Input& input)
{
    RecordStream& file = anyFile(input);
    switch (below(20)) {
    case 0:
    case 1: return insertRecord(file);
    case 2: return deleteRecord(file);
    case 3: return duplicateRecord(file);
    case 4: return swapRecords(file);
    case 5:
    case 6: return copyRecords(file, anyFile(input));
    case 7:
    case 8: return setIntegerField(file);
    case 9: return setFloatField(file);
    case 10: return setRevision(file);
    case 11:
    case 12: return nestRecords(file);
    case 13:
    case 14: return mutateRecordBytes(file);
    case 15: return resizeRecord(file);
    case 16: return oneIn(4) && breakLength(file);
    case 17: return pointAtVertices(file);
    case 18: return oneIn(2) ? referenceFile(file) : changeFiles(input);
    default: return changeOptions(input);
    }
}

bool FltStructureMutator::insertRecord(RecordStream& file)
{
    const RecordTemplate& kind = kTemplates[below(kTemplateCount)];
    RecordBytes record = makeRecord(kind.opcode, kind.length - kRecordHeaderSize);
    if (oneIn(2))
        for (std::size_t i = kRecordHeaderSize; i < record.size(); ++i)
            record[i] = static_cast<uint8_t>(random());
    if (kind.opcode == 1)
        putBigEndian(record, 60, 1, 2); // the unit multiplier the reader's test asks for
    file.records.insert(file.records.begin() + below(file.records.size() + 1), std::move(record));
    return true;
}

bool FltStructureMutator::deleteRecord(RecordStream& file)
{
    if (file.records.empty())
        return false;
    const std::size_t first = below(file.records.size());
    const std::size_t count = oneIn(4) ? 1 + below(std::min<std::size_t>(8, file.records.size() - first)) : 1;
    file.records.erase(file.records.begin() + first, file.records.begin() + first + count);
    return true;
}

bool FltStructureMutator::duplicateRecord(RecordStream& file)
{
    if (file.records.empty())
        return false;
    const RecordBytes copy = file.records[below(file.records.size())];
    const std::size_t times = oneIn(8) ? 2 + below(30) : 1;
    file.records.insert(file.records.begin() + below(file.records.size() + 1), times, copy);
    return true;
}

bool FltStructureMutator::swapRecords(RecordStream& file)
{
    if (file.records.size() < 2)
        return false;
    std::swap(file.records[below(file.records.size())], file.records[below(file.records.size())]);
    return true;
}

bool FltStructureMutator::copyRecords(RecordStream& to, const RecordStream& from)
{
    if (from.records.empty())
        return false;
    const std::size_t first = below(from.records.size());
    const std::size_t count = 1 + below(std::min<std::size_t>(16, from.records.size() - first));
    const std::vector<RecordBytes> run(from.records.begin() + first, from.records.begin() + first + count);
    to.records.insert(to.records.begin() + below(to.records.size() + 1), run.begin(), run.end());
    return true;
}

bool FltStructureMutator::setIntegerField(RecordStream& file)
{
    if (file.records.empty())
        return false;
    RecordBytes& record = file.records[below(file.records.size())];
    static constexpr std::size_t widths[] = {1, 2, 4, 4, 2, 8};
    const std::size_t width = widths[below(6)];
    if (record.size() < kRecordHeaderSize + width)
        return false;
    // Counts and indices sit near the front of a record.
    const std::size_t span = std::min<std::size_t>(record.size() - kRecordHeaderSize - width, 96);
    const std::size_t offset = kRecordHeaderSize + below(span / width + 1) * width;
    uint64_t value;
    switch (below(4)) {
    case 0: value = file.records.size(); break;
    case 1: value = below(8); break;
    default: value = kIntegerBoundaries[below(sizeof kIntegerBoundaries / sizeof kIntegerBoundaries[0])];
    }
    if (oneIn(4))
        value = ~value + 1; // negative
    putBigEndian(record, offset, value, width);
    return true;
}

bool FltStructureMutator::setFloatField(RecordStream& file)
{
    if (file.records.empty())
        return false;
    RecordBytes& record = file.records[below(file.records.size())];
    const bool asDouble = oneIn(2);
    const std::size_t width = asDouble ? 8 : 4;
    if (record.size() < kRecordHeaderSize + width)
        return false;
    const std::size_t offset = kRecordHeaderSize + below((record.size() - kRecordHeaderSize - width) / 4 + 1) * 4;
    double value;
    switch (below(8)) {
    case 0: value = std::numeric_limits<double>::infinity(); break;
    case 1: value = -std::numeric_limits<double>::infinity(); break;
    case 2: value = std::numeric_limits<double>::quiet_NaN(); break;
    default: value = kFloatBoundaries[below(sizeof kFloatBoundaries / sizeof kFloatBoundaries[0])];
    }
    uint64_t bits;
    if (asDouble) {
        std::memcpy(&bits, &value, 8);
    } else {
        const float single = static_cast<float>(value);
        uint32_t singleBits;
        std::memcpy(&singleBits, &single, 4);
        bits = singleBits;
    }
    putBigEndian(record, offset, bits, width);
    return true;
}

bool FltStructureMutator::setRevision(RecordStream& file)
{
    if (file.records.empty() || opcodeOf(file.records.front()) != 1) {
        RecordBytes header = makeRecord(1, 320);
        putBigEndian(header, 60, 1, 2);
        file.records.insert(file.records.begin(), std::move(header));
    }
    RecordBytes& header = file.records.front();
    if (header.size() < 16)
        header.resize(16);
    putBigEndian(header, 12, static_cast<uint32_t>(kRevisions[below(sizeof kRevisions / sizeof kRevisions[0])]), 4);
    fixLength(header);
    return true;
}

bool FltStructureMutator::nestRecords(RecordStream& file)
{
    const NestingPair& kind = kNestings[oneIn(3) ? below(3) : 0];
    const std::size_t begin = below(file.records.size() + 1);
    const std::size_t end = begin + below(file.records.size() - begin + 1);
    const std::size_t depth = oneIn(8) ? 1 + below(64) : 1;
    const std::size_t which = below(8); // mostly both; sometimes only one of them
    if (which != 1)
        file.records.insert(file.records.begin() + end, depth, makeRecord(kind.pop, kind.length - kRecordHeaderSize));
    if (which != 2)
        file.records.insert(file.records.begin() + begin, depth,
                            makeRecord(kind.push, kind.length - kRecordHeaderSize));
    return true;
}

bool FltStructureMutator::mutateRecordBytes(RecordStream& file)
{
    if (file.records.empty())
        return false;
    RecordBytes& record = file.records[below(file.records.size())];
    const std::size_t body = record.size() - kRecordHeaderSize;
    const std::size_t room = std::min(kMaxRecordSize - kRecordHeaderSize, 2 * body + 64);
    record.resize(kRecordHeaderSize + room);
    const std::size_t mutated = byteMutator(record.data() + kRecordHeaderSize, body, room);
    record.resize(kRecordHeaderSize + std::min(mutated, room));
    fixLength(record);
    return true;
}

bool FltStructureMutator::resizeRecord(RecordStream& file)
{
    if (file.records.empty())
        return false;
    RecordBytes& record = file.records[below(file.records.size())];
    const std::size_t body = record.size() - kRecordHeaderSize;
    const std::size_t newBody =
        oneIn(2) ? below(body + 1) : std::min(kMaxRecordSize - kRecordHeaderSize, body + 1 + below(64));
    record.resize(kRecordHeaderSize + newBody, 0);
    fixLength(record);
    return true;
}

bool FltStructureMutator::breakLength(RecordStream& file)
{
    if (file.records.empty())
        return false;
    RecordBytes& record = file.records[below(file.records.size())];
    static constexpr int64_t changes[] = {-4096, -5, -4, -1, 1, 4, 4096};
    int64_t length = static_cast<int64_t>(record.size()) + changes[below(7)];
    if (oneIn(3))
        length = static_cast<int64_t>(below(5)); // below the header's size
    else if (oneIn(3))
        length = 0xFFFF;
    putBigEndian(record, 2, static_cast<uint64_t>(std::clamp<int64_t>(length, 0, 0xFFFF)), 2);
    return true;
}

bool FltStructureMutator::pointAtVertices(RecordStream& file)
{
    // Where the vertex palette's vertices start: the converter counts from
    // the palette record's start, so the first vertex sits at 8.
    std::vector<uint32_t> offsets;
    for (std::size_t i = 0; i < file.records.size(); ++i) {
        if (opcodeOf(file.records[i]) != 67)
            continue;
        offsets.clear();
        uint32_t offset = static_cast<uint32_t>(file.records[i].size());
        for (std::size_t j = i + 1; j < file.records.size() && isVertex(opcodeOf(file.records[j])); ++j) {
            offsets.push_back(offset);
            offset += static_cast<uint32_t>(file.records[j].size());
        }
    }
    if (offsets.empty())
        return false;
    std::vector<std::size_t> lists;
    for (std::size_t i = 0; i < file.records.size(); ++i)
        if (opcodeOf(file.records[i]) == 72 || opcodeOf(file.records[i]) == 89)
            lists.push_back(i);
    if (lists.empty() || oneIn(4)) { // a new list after a random record
        RecordBytes list = makeRecord(72, 4 * (3 + below(6)));
        const std::size_t at = below(file.records.size() + 1);
        file.records.insert(file.records.begin() + at, std::move(list));
        lists.assign(1, at);
    }
    RecordBytes& list = file.records[lists[below(lists.size())]];
    for (std::size_t offset = kRecordHeaderSize; offset + 4 <= list.size(); offset += 4)
        if (oneIn(2) || offset == kRecordHeaderSize)
            putBigEndian(list, offset, offsets[below(offsets.size())] + (oneIn(16) ? below(8) : 0), 4);
    return true;
}

bool FltStructureMutator::referenceFile(RecordStream& file)
{
    RecordBytes reference = makeRecord(63, 212);
    const std::string name = kReferencedNames[below(sizeof kReferencedNames / sizeof kReferencedNames[0])];
    std::copy(name.begin(), name.end(), reference.begin() + kRecordHeaderSize);
    file.records.insert(file.records.begin() + below(file.records.size() + 1), std::move(reference));
    return true;
}

bool FltStructureMutator::changeFiles(Input& input)
{
    if (input.files.size() > 1 && oneIn(3)) {
        input.files.erase(input.files.begin() + below(input.files.size()));
        return true;
    }
    if (input.files.size() >= kFuzzMaxFiles)
        return false;
    if (oneIn(2)) {
        input.files.push_back(anyFile(input));
    } else {
        RecordStream small;
        RecordBytes header = makeRecord(1, 320);
        putBigEndian(header, 12, 1570, 4);
        putBigEndian(header, 60, 1, 2);
        small.records.push_back(std::move(header));
        input.files.push_back(std::move(small));
    }
    return true;
}

bool FltStructureMutator::changeOptions(Input& input)
{
    if (input.hasOptions && oneIn(4)) {
        input.hasOptions = false;
        input.options = 0;
    } else {
        input.hasOptions = true;
        input.options ^= static_cast<uint8_t>(1u << below(kFuzzOptionCount));
    }
    return true;
}
