// The libFuzzer entry point.
#include "FuzzOneInput.h"

// AddressSanitizer's defaults for a fuzzing process (ASAN_OPTIONS still wins).
// Every allocation recording its stack costs a sixth of each execution, and
// freed memory held back in a quarter-gigabyte quarantine makes every
// allocation land on memory out of the cache; a megabyte still catches a use
// just after the free. New blocks are filled with garbage for their first
// 256 bytes, not 4 KiB: a record's or a node's fields are all within them,
// and large buffers are filled by their owners. A finding is replayed with
// ASAN_OPTIONS=malloc_context_size=30 for those stacks.
extern "C" const char* __asan_default_options()
{
    return "malloc_context_size=0:quarantine_size_mb=1:max_malloc_fill_size=256";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    runFuzzInput(data, size);
    return 0;
}
