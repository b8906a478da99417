#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A fuzz input holds up to three databases, a.flt, b.flt and c.flt, joined
// by this line, so that external references between them are fuzzed too.
// A plain database is an input of one file.
constexpr char kFuzzFileSeparator[] = "\n#FLT-NEXT-FILE#\n";
constexpr const char* kFuzzFileNames[] = {"a.flt", "b.flt", "c.flt"};
constexpr std::size_t kFuzzMaxFiles = sizeof kFuzzFileNames / sizeof kFuzzFileNames[0];

// An input may end in this marker and one byte of options; without them
// every option is off.
constexpr char kFuzzOptionsMarker[] = "\n#FLT-OPTIONS#";
enum FuzzOption : uint8_t {
    kFuzzDumpOnSecondThread = 1, // every file's dumps on the dump thread, not only large ones
    kFuzzGltfAsJson = 2,         // .gltf with its .bin beside it instead of .glb
    kFuzzExtendedRecords = 4,    // the converter's optional records
    kFuzzInfoReport = 8,         // fltconvert --info's read and report as well
};
constexpr int kFuzzOptionCount = 4;

struct FuzzBytes {
    const uint8_t* data;
    std::size_t size;
};

struct FuzzInputParts {
    std::vector<FuzzBytes> files; // one to three; anything after a third separator is ignored
    uint8_t options = 0;
    bool hasOptions = false;
};

FuzzInputParts splitFuzzInput(const uint8_t* data, std::size_t size);

// The inverse: files joined by the separator, the options trailer when given.
std::vector<uint8_t> joinFuzzInput(const std::vector<std::vector<uint8_t>>& files, bool hasOptions = false,
                                   uint8_t options = 0);

