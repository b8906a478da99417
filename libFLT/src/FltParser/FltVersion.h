#pragma once

#include <cstdint>

// The file's format revision (1570 for 15.7) and its packed-colour mode,
// handed to the records and builders whose decoding depends on them.
class FltVersion {
public:
    int32_t getVersion() const { return version; }
    void setVersion(int32_t revision) { version = revision; }
    bool getRGBMode() const { return rgbMode; }
    void setRGBMode(bool mode) { rgbMode = mode; }

private:
    int32_t version = 0;
    bool rgbMode = false;
};
