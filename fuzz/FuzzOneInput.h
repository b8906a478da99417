#pragma once

#include <cstddef>
#include <cstdint>

// One fuzz input through the whole system (see FuzzInput.h for its layout).
// Shared by the fuzzer and the tests that replay the inputs it found bugs with.
void runFuzzInput(const uint8_t* data, std::size_t size);

// Whether a database writes back as it was read: false only for one whose
// records are all whole and whose records encode to other bytes. Uses the
// process's extended record setting.
bool reencodesToItsBytes(const uint8_t* data, std::size_t size);
