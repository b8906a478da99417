#ifndef HEAP_METER_H
#define HEAP_METER_H

#include <cstddef>

// Bytes the process holds on the heap, counted by the benchmark's own
// operator new and delete, and the most it held since the last reset.
std::size_t heapInUse();
std::size_t heapPeak();
void resetHeapPeak();

#endif
