#pragma once

#include <cstddef>
#include <cstdint>

// One fuzz input through the whole system (see FuzzInput.h for its layout).
// Shared by the fuzzer and the tests that replay the inputs it found bugs with.
void runFuzzInput(const uint8_t* data, std::size_t size);
