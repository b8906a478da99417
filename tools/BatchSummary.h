#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "InputOutcome.h"

// The figures of a run of more than one input, printed once at its end.
class BatchSummary {
public:
    BatchSummary();

    void add(const InputOutcome& outcome);

    std::string text() const;
    // One JSON object with the same figures, on one line.
    std::string json() const;

private:
    std::chrono::steady_clock::time_point started;
    int64_t inputs = 0;
    int64_t converted = 0;
    int64_t failed = 0;
    int64_t refused = 0;
    int64_t warningsByLevel[3] = {};
    int64_t outputBytes = 0;

    double seconds() const;
};
