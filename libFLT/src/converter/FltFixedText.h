#pragma once

#include <cstddef>
#include <cstring>
#include <string>

// A fixed-width text field of a record (identifier, file name), up to its
// first zero byte and never beyond its width.
template <std::size_t width>
std::string fixedText(const char (&text)[width])
{
    const void* zero = std::memchr(text, 0, width);
    return std::string(text, zero ? static_cast<const char*>(zero) - text : width);
}
