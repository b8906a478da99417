#pragma once

// The test a file passes before it is converted, from its first bytes alone:
// a Header record of format revision 11 to 14 or 1280 to 2303 whose unit
// multiplier is 1. One place decides, so that the reader's verdict and the
// reason a program gives for a refusal always agree.

#include <cstddef>
#include <cstdio>
#include <string>

// How many bytes from the start of a file the test looks at.
constexpr std::size_t fltHeaderCheckLength = 62;

// Why a file that starts with these `count` bytes cannot be converted, in a
// few words; empty when it can.
std::string fltHeaderRefusal(const unsigned char* bytes, std::size_t count);

// The same for an open file, read from its start (the position is left after
// the bytes read). A file that cannot be read gives the system's reason.
std::string fltFileRefusal(std::FILE* file);
