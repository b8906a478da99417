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

struct FltWarningMessage {
    std::string text;
    int32_t level;
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
    const std::vector<FltWarningMessage>& getWarnings() const { return warnings; }
    // For hosts that convert without end (a fuzzer, a server): the list
    // would otherwise grow for the life of the process.
    void clear()
    {
        const std::lock_guard<std::mutex> guard(lock);
        warnings.clear();
    }

private:
    // Warnings may come from several threads (conversions themselves take
    // turns, but a host's own threads may warn too).
    mutable std::mutex lock;
    std::vector<FltWarningMessage> warnings;
    int32_t echoLevel = std::numeric_limits<int32_t>::min();
};

void addWarning(const char* text, int32_t level, bool print);
void printWarnings(int32_t minimumLevel);
