#pragma once

#include <cstddef>

// The process's resident memory, and its peak since the last reset: what a
// conversion costs in memory, whatever allocated it (malloc, mapped blocks).
std::size_t residentBytes();
std::size_t peakResidentBytes();
// Starts a new peak from the memory resident now.
void resetPeakResident();
