#pragma once

#include <memory>
#include <string>
#include <vector>

class FltRecord;

// The database file of a record list.
std::vector<unsigned char> recordBytes(const std::vector<std::unique_ptr<FltRecord>>& records);

// An OpenFlight database parsed and its records written back; false, with
// the reason, when it cannot be parsed.
bool reencodeFlt(const std::vector<unsigned char>& input, std::vector<unsigned char>& output, std::string& error);
