#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

// JSON whose keys keep the order they were added in.
using OrderedJson = nlohmann::ordered_json;

// The value on one line, as fltconvert has always written its lines: ", "
// between items, ": " after keys, numbers in their shortest exact form (as floats
// when they are floats, as the scene's coordinates are), NaN
// and infinities as null. Bytes that are not UTF-8 (names from a file) are
// replaced, never a reason to fail.
std::string jsonLine(const OrderedJson& value);
