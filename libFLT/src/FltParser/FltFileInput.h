#pragma once

#include <memory>
#include <string>
#include <vector>

#include "FltInput.h"

// Reads a whole file into memory once, at construction, and closes it; or
// copies the image provided for its name (FltMemoryFiles.h).
class FltFileInput : public FltInput {
public:
    explicit FltFileInput(const char* fileName);
    virtual ~FltFileInput() = default;
    FltFileInput(const FltFileInput&) = delete;
    FltFileInput& operator=(const FltFileInput&) = delete;

    const unsigned char* getData() const override { return size ? data.get() : nullptr; }
    int32_t getSize() const override { return static_cast<int32_t>(size); }
    bool isOpen() const override { return open; }
    // The name as given, every backslash turned into a slash.
    const char* getFileName() const override { return fileName.c_str(); }
    // Everything up to and including the last slash, or null when there is none.
    const char* getDirectory() const override { return hasDirectory ? directory.c_str() : nullptr; }
    virtual const char* getPath() const { return getDirectory(); }

    // What the constructor prints of its opening: success on standard
    // output, failure on standard error.
    static void announceOpening(const std::string& fileName, bool opened);

private:
    // Large images are mapped memory, released by unmapping it.
    struct ImageRelease {
        std::size_t mappedBytes; // 0: from new[]
        void operator()(unsigned char* bytes) const;
    };

    bool open = false;
    // Filled by the read itself: not cleared first, as a vector would be.
    std::unique_ptr<unsigned char[], ImageRelease> data;
    std::size_t size = 0;
    std::string fileName;
    std::string directory;
    bool hasDirectory = false;
};
