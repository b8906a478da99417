#pragma once

// Writing OpenFlight: a list of records, parsed from a file or made one by
// one, encoded in list order through each record's field description.
//
//   std::vector<FltRecord*> records = ...;   // a Header first
//   std::string reason;
//   if (!writeFltFile("out.flt", records, &reason)) ...

#include <string>
#include <vector>

class FltRecord;

// The records' bytes, one after the other. A record standing in the list
// several times in a row (parts the parser merged into one object) is
// encoded once; null entries are skipped. Records whose revision is unset
// (0: made one by one) are given that of the Header the list starts with.
std::vector<unsigned char> encodeFltRecords(const std::vector<FltRecord*>& records);

// Writes the encoded records to `fileName` through a new temporary file
// beside it, renamed into place only once complete: an existing file is
// replaced by a whole database or not at all, and a failed write leaves
// nothing behind. On failure returns false and, when `reason` is given,
// says why in one line.
bool writeFltFile(const std::string& fileName, const std::vector<FltRecord*>& records,
                  std::string* reason = nullptr);

// The same for bytes already encoded.
bool writeFltBytes(const std::string& fileName, const std::vector<unsigned char>& bytes,
                   std::string* reason = nullptr);
