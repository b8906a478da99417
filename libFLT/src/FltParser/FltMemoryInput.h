#pragma once

#include <cstddef>
#include <string>

#include "FltInput.h"

// A byte image the caller holds (and keeps alive while it is read), under a
// name for the warnings; nothing is announced.
class FltMemoryInput : public FltInput {
public:
    FltMemoryInput(const unsigned char* data, std::size_t size, std::string name)
        : data(data), size(size), name(std::move(name)) {}

    const unsigned char* getData() const override { return size ? data : nullptr; }
    int32_t getSize() const override { return static_cast<int32_t>(size); }
    bool isOpen() const override { return data != nullptr; }
    const char* getFileName() const override { return name.c_str(); }
    const char* getDirectory() const override { return nullptr; }

private:
    const unsigned char* data;
    std::size_t size;
    std::string name;
};
