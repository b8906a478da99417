#pragma once

#include <memory>
#include <string>
#include <vector>

class FltRecord;

// The database file of a record list.
std::vector<unsigned char> recordBytes(const std::vector<std::unique_ptr<FltRecord>>& records);

// An OpenFlight database parsed and its records written back (the same
// bytes when its records are whole); false, with the reason, when it is not
// OpenFlight. `name` is the one its warnings give.
bool reencodeFlt(const std::vector<unsigned char>& input, const std::string& name, std::vector<unsigned char>& output,
                 std::string& error);
