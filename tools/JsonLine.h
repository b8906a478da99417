#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

// JSON whose keys keep the order they were added in and whose numbers with a
// fraction are floats, as the scene's coordinates are.
using OrderedJson = nlohmann::basic_json<nlohmann::ordered_map, std::vector, std::string, bool, std::int64_t,
                                         std::uint64_t, float>;

// The value on one line, as fltconvert has always written its lines: ", "
// between items, ": " after keys, floats in their shortest exact form, NaN
// and infinities as null. Bytes that are not UTF-8 (names from a file) are
// replaced, never a reason to fail.
std::string jsonLine(const OrderedJson& value);
