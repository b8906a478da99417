// libFuzzer's hooks for a mutator of its own: the structure mutator, with
// libFuzzer's byte mutation beneath it.
#include <cstddef>
#include <cstdint>

#include "FltStructureMutator.h"

extern "C" std::size_t LLVMFuzzerMutate(uint8_t* data, std::size_t size, std::size_t maxSize);

extern "C" std::size_t LLVMFuzzerCustomMutator(uint8_t* data, std::size_t size, std::size_t maxSize,
                                               unsigned int seed)
{
    return FltStructureMutator(seed, LLVMFuzzerMutate).mutate(data, size, maxSize);
}

extern "C" std::size_t LLVMFuzzerCustomCrossOver(const uint8_t* first, std::size_t firstSize,
                                                 const uint8_t* second, std::size_t secondSize, uint8_t* out,
                                                 std::size_t maxOutSize, unsigned int seed)
{
    return FltStructureMutator(seed, LLVMFuzzerMutate).crossOver(first, firstSize, second, secondSize, out,
                                                                 maxOutSize);
}
