// The libFuzzer entry point.
#include "FuzzOneInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    runFuzzInput(data, size);
    return 0;
}
