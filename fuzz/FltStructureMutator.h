#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include "RecordStream.h"

// A mutation of plain bytes within maxSize (libFuzzer's LLVMFuzzerMutate).
using ByteMutator = std::size_t (*)(uint8_t* data, std::size_t size, std::size_t maxSize);

// Mutates fuzz inputs (FuzzInput.h) as databases rather than bytes, so that
// a mutated input still mostly parses and reaches the scene building:
// records are inserted, deleted, duplicated, swapped and copied between
// files and inputs; count, index and float fields get boundary values; the
// Header's revision moves among the supported ones; push and pop records
// nest ranges of records; files and references between them come and go;
// the options change. Record lengths are kept consistent, except when one
// is broken on purpose. Now and then, or when an input has no records to
// work on, the byte mutator takes over.
class FltStructureMutator {
public:
    FltStructureMutator(unsigned seed, ByteMutator byteMutator);

    std::size_t mutate(uint8_t* data, std::size_t size, std::size_t maxSize);
    // A child of two inputs: a database of the first continued or filled
    // with records of the second, or a database taken over whole.
    std::size_t crossOver(const uint8_t* first, std::size_t firstSize, const uint8_t* second,
                          std::size_t secondSize, uint8_t* out, std::size_t maxOutSize);

private:
    struct Input {
        std::vector<RecordStream> files;
        bool hasOptions = false;
        uint8_t options = 0;
    };

    static Input parse(const uint8_t* data, std::size_t size);
    static std::vector<uint8_t> serialise(const Input& input);

    std::size_t below(std::size_t bound) { return bound ? random() % bound : 0; }
    bool oneIn(std::size_t n) { return below(n) == 0; }
    RecordStream& anyFile(Input& input) { return input.files[below(input.files.size())]; }

    bool mutateOnce(Input& input);
    bool insertRecord(RecordStream& file);
    bool deleteRecord(RecordStream& file);
    bool duplicateRecord(RecordStream& file);
    bool swapRecords(RecordStream& file);
    bool copyRecords(RecordStream& to, const RecordStream& from);
    bool setIntegerField(RecordStream& file);
    bool setFloatField(RecordStream& file);
    bool setRevision(RecordStream& file);
    bool nestRecords(RecordStream& file);
    bool mutateRecordBytes(RecordStream& file);
    bool resizeRecord(RecordStream& file);
    bool breakLength(RecordStream& file);
    bool pointAtVertices(RecordStream& file);
    bool referenceFile(RecordStream& file);
    bool changeFiles(Input& input);
    bool changeOptions(Input& input);

    std::minstd_rand random;
    ByteMutator byteMutator;
};

