#pragma once

#include <cstdint>
#include <memory>

#include "FltDumpQueue.h"

class FltCreationVisitor;

// The dumps of one conversion: through a queue on the standard output for
// inputs large enough to gain from a second thread, straight otherwise.
// The factory's records must not change until `finish`, which (like the
// destructor, however the conversion ends) writes the rest and gives the
// standard output back.
class FltDumpStage {
public:
    FltDumpStage(FltCreationVisitor& factory, uint64_t inputSize);
    ~FltDumpStage();
    FltDumpStage(const FltDumpStage&) = delete;
    FltDumpStage& operator=(const FltDumpStage&) = delete;

    void finish();

    // Inputs from this size on get the second thread: a megabyte unless set
    // (the fuzzer sets a small size so that both ways are exercised).
    static void setBackgroundSize(uint64_t bytes);

private:
    FltCreationVisitor& factory;
    std::unique_ptr<FltDumpQueue> queue;
};
