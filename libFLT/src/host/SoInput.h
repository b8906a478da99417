#pragma once

#include <cstdio>

#include "SbString.h"

// What a scene is read from: a file named here, either opened by the input
// or left for the readers to open, or a stdio file the caller opened.
class SoInput {
public:
    SoInput() = default;
    ~SoInput();  // closes a file that openFile opened
    SoInput(const SoInput&) = delete;
    SoInput& operator=(const SoInput&) = delete;

    // Names the file and opens it for reading. On failure (errno tells why)
    // the input is left with nothing to read.
    bool openFile(const char* fileName);
    // Names the file without opening it: readers open it when they look in.
    void setFileName(const char* fileName);
    // Reads from a file the caller opened and keeps open; the name is optional.
    void setFilePointer(FILE* file, const char* fileName = nullptr);
    // Forgets the file, closing it when openFile opened it.
    void closeFile();

    // The open stdio file, or null when the input holds none.
    FILE* getCurFile() const { return file_; }
    SbString getFileName() const { return name_; }
    // The name of the file being read; null when the input has nothing to
    // read, empty for an unnamed open file.
    const char* getCurFileName() const;
    // 1 while the readers are being asked whether they can read the input.
    int isReadingHeader() const { return readingHeader_ ? 1 : 0; }

private:
    friend class SoInputReader;  // marks the input while it asks the readers

    SbString name_;
    FILE* file_ = nullptr;
    bool ownsFile_ = false;
    bool readingHeader_ = false;
};
