#pragma once

// A fuzz input holds up to three databases, a.flt, b.flt and c.flt, joined
// by this line, so that external references between them are fuzzed too.
constexpr char kFuzzFileSeparator[] = "\n#FLT-NEXT-FILE#\n";
constexpr const char* kFuzzFileNames[] = {"a.flt", "b.flt", "c.flt"};
