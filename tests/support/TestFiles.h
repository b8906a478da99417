#ifndef FLT_TEST_FILES_H
#define FLT_TEST_FILES_H

#include <cstdint>
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
bool fileExists(const std::string& path);

// Decodes one record from its bytes (header included) and returns its dump.
std::string decodeAndDump(FltRecord& record, const std::vector<uint8_t>& recordBytes);

// The shared sample databases, or an empty string when they are not there.
std::string samplesDir();

#endif
