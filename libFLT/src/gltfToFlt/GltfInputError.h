#pragma once

#include <stdexcept>
#include <string>

// A glTF model that cannot be written as a database; the text names the
// reason (the accessor, the extension, the file) in one line.
class GltfInputError : public std::runtime_error {
public:
    explicit GltfInputError(const std::string& reason) : std::runtime_error(reason) {}
};
