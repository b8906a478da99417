#pragma once

// A floating-point value as an output stream with default flags writes it
// (%g with six significant digits: "0.1", "-2.5", "1e-05", "6.37814e+06",
// "-0", "nan", "inf"), written at `out` without temporaries.

#include <cstddef>

constexpr std::size_t kFltLongestRealText = 32;

// Writes the text into the kFltLongestRealText bytes at `out`; returns its end.
char* writeFltRealText(char* out, double value);
