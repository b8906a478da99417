#include "FltWarningMessageConsole.h"

#include <iostream>
#include <mutex>
#include <string>

std::ostream& operator<<(std::ostream& os, const FltWarningMessage& warning)
{
    // In one piece: programs converting side by side share the error stream.
    return os << warning.text + "\n(Warning Level: " + std::to_string(warning.level) + ")\n" << std::flush;
}

FltWarningMessageConsole& FltWarningMessageConsole::instance()
{
    static FltWarningMessageConsole console;
    return console;
}

void FltWarningMessageConsole::add(const char* text, int32_t level, bool print)
{
    const std::lock_guard<std::mutex> guard(lock);
    warnings.push_back(FltWarningMessage{text ? text : "", level});
    if (print && level >= echoLevel)
        std::cerr << warnings.back();
}

void FltWarningMessageConsole::print(int32_t minimumLevel) const
{
    const std::lock_guard<std::mutex> guard(lock);
    for (const FltWarningMessage& warning : warnings)
        if (warning.level >= minimumLevel)
            std::cerr << warning;
}

void addWarning(const char* text, int32_t level, bool print)
{
    FltWarningMessageConsole::instance().add(text, level, print);
}

void printWarnings(int32_t minimumLevel)
{
    FltWarningMessageConsole::instance().print(minimumLevel);
}
