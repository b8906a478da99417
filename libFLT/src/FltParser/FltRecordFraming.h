#pragma once

// The 4-byte header every encoded record starts with (opcode, length), and
// the Continuation records that carry a record past the 65535 bytes its
// length field can count.

#include <cstddef>
#include <cstdint>
#include <vector>

// Appends the opcode and a length to be filled in; returns where the record starts.
std::size_t openRecord(std::vector<unsigned char>& out, int32_t opcode);

// Fills in the length of the record that starts at `start` and runs to the
// end of `out`. A record longer than the field can count is cut into
// Continuation records: at `partLengths` (the lengths it was read with) when
// they add up to it, else each as long as the field allows.
void closeRecord(std::vector<unsigned char>& out, std::size_t start,
                 const std::vector<uint16_t>& partLengths = {});
