// The libFuzzer entry point of the glTF-to-OpenFlight writer: hostile glTF,
// JSON and binary, must be written or refused, never crash, hang or leak.
#include "GltfWriterInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    runGltfWriterInput(data, size);
    return 0;
}
