#pragma once

#include <cstddef>

// A batch's progress line on a terminal's error stream: inputs done of
// inputs found, redrawn in place as workers finish.
class BatchProgress {
public:
    explicit BatchProgress(std::size_t found) : found(found) {}
    void show(std::size_t done);
    void clear();

private:
    std::size_t found;
    bool shown = false;
};
