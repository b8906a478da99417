#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

class FltRecord;

// A private directory for one test's files, removed with everything in it.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return dir; }
    std::string file(const std::string& name) const { return dir + "/" + name; }
    // Writes bytes to `name` inside the directory and returns its full path.
    std::string write(const std::string& name, const std::vector<uint8_t>& bytes) const;

private:
    std::string dir;
};

std::string readTextFile(const std::string& path);
// Writes bytes to a file; false (with a message on the error stream) when it cannot.
bool writeBinaryFile(const std::string& path, const std::vector<uint8_t>& bytes);
bool fileExists(const std::string& path);

// Collects what is written to a standard stream while it lives.
class StreamCapture {
public:
    explicit StreamCapture(std::ostream& stream);
    ~StreamCapture();
    StreamCapture(const StreamCapture&) = delete;
    StreamCapture& operator=(const StreamCapture&) = delete;

    std::string text() const;

private:
    std::ostream& stream;
    std::streambuf* saved;
    std::ostringstream captured;
};

// Warnings added to the process-wide console since the mark was taken.
class WarningMark {
public:
    WarningMark();
    std::vector<std::string> texts() const;
    std::vector<int> levels() const;

private:
    std::size_t start;
};

// Decodes one record from its bytes (header included) and returns its dump.
std::string decodeAndDump(FltRecord& record, const std::vector<uint8_t>& recordBytes);

// The shared sample databases, or an empty string when they are not there.
std::string samplesDir();
