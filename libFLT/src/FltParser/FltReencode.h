#pragma once

// Reads a database's records without a transcript and encodes them again:
// a database whose records are whole comes back byte for byte.

#include <cstddef>
#include <string>
#include <vector>

struct FltReencoded {
    // The image is OpenFlight (it starts with a Header record).
    bool openFlight = false;
    // Every record was whole: the parse reached the end of the image without
    // a record shorter than its fields (or with its length past the end).
    bool whole = false;
    std::vector<unsigned char> bytes;
};

// `name` is the one the parse's warnings give.
FltReencoded reencodeFltImage(const unsigned char* data, std::size_t size, const std::string& name);

// The same for a file; not OpenFlight when it cannot be read.
FltReencoded reencodeFltFile(const std::string& fileName);
