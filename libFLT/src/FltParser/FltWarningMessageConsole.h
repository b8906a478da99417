#pragma once

// The process-wide list of problems met while reading and converting.
// Warnings never stop a conversion; they are kept for the life of the
// process so that they can be written again later, filtered by level.
//
// Levels: 1 tolerated irregularity, 2 ignored structural irregularity, 3 error.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

// Where a warning was raised, as far as the reading or converting code knew
// it: the file being read, the record at hand and its byte offset in that
// file. Kept beside the text, which stays as it is.
struct FltWarningPlace {
    std::string file;       // empty: outside any file's reading
    bool nested = false;    // read for another file's external reference
    int32_t opcode = -1;    // -1: no record at hand
    std::string recordName; // the record's kind, when it is known
    int64_t offset = -1;    // -1: unknown
};

struct FltWarningMessage {
    std::string text;
    int32_t level;
    FltWarningPlace place = {};
};

// What the code reading a file says about where it is, asked only when a
// warning is added on its thread.
class FltWarningPlaceSource {
public:
    virtual ~FltWarningPlaceSource() = default;
    virtual FltWarningPlace currentPlace() const = 0;
};

// Makes `source` tell the place of the warnings added on this thread while
// the scope lives; scopes nest (a file read for an external reference).
class FltWarningPlaceScope {
public:
    explicit FltWarningPlaceScope(const FltWarningPlaceSource& source);
    ~FltWarningPlaceScope();
    FltWarningPlaceScope(const FltWarningPlaceScope&) = delete;
    FltWarningPlaceScope& operator=(const FltWarningPlaceScope&) = delete;
};

std::ostream& operator<<(std::ostream& os, const FltWarningMessage& warning);

class FltWarningMessageConsole {
public:
    virtual ~FltWarningMessageConsole() = default;

    static FltWarningMessageConsole& instance();

    // Keeps the warning; with `print`, also writes it to the error stream
    // when its level reaches the echo level.
    void add(const char* text, int32_t level, bool print);
    // Warnings below this level are kept but not written as they come (a
    // quiet program echoes errors only). Every level by default.
    void setEchoLevel(int32_t minimumLevel)
    {
        const std::lock_guard<std::mutex> guard(lock);
        echoLevel = minimumLevel;
    }
    void print(int32_t minimumLevel) const;
    // A copy, taken under the lock: other threads may be adding meanwhile.
    std::vector<FltWarningMessage> getWarnings() const
    {
        const std::lock_guard<std::mutex> guard(lock);
        return warnings;
    }
    // The warnings from the `first`-th on (a copy, as above).
    std::vector<FltWarningMessage> getWarningsFrom(std::size_t first) const
    {
        const std::lock_guard<std::mutex> guard(lock);
        return first < warnings.size()
                   ? std::vector<FltWarningMessage>(warnings.begin() + static_cast<std::ptrdiff_t>(first), warnings.end())
                   : std::vector<FltWarningMessage>();
    }
    std::size_t count() const
    {
        const std::lock_guard<std::mutex> guard(lock);
        return warnings.size();
    }
    // For hosts that convert without end (a fuzzer, a server): the list
    // would otherwise grow for the life of the process.
    void clear()
    {
        const std::lock_guard<std::mutex> guard(lock);
        warnings.clear();
    }

private:
    // Warnings may come from several threads (conversions themselves take
    // turns, but a host's own threads may warn too): every use of the list
    // holds the lock, and readers get copies.
    mutable std::mutex lock;
    std::vector<FltWarningMessage> warnings;
    int32_t echoLevel = std::numeric_limits<int32_t>::min();
};

void addWarning(const char* text, int32_t level, bool print);
void printWarnings(int32_t minimumLevel);
