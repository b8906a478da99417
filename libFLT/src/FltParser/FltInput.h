#pragma once

#include <cstdint>

// The read-only byte image of one OpenFlight file, exactly as stored.
// Destroyed only through its concrete type, by whoever created it.
class FltInput {
public:
    virtual const unsigned char* getData() const = 0;
    virtual int32_t getSize() const = 0;
    virtual bool isOpen() const = 0;
    virtual const char* getFileName() const = 0;
    virtual const char* getDirectory() const = 0;

protected:
    ~FltInput() = default;
};
