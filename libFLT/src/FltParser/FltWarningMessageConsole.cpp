#include "FltWarningMessageConsole.h"

#include <iostream>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace {

// The sources of the scopes open on this thread, innermost last.
thread_local std::vector<const FltWarningPlaceSource*> placeSources;

FltWarningPlace currentWarningPlace()
{
    if (placeSources.empty())
        return {};
    FltWarningPlace place = placeSources.back()->currentPlace();
    // The outermost file is the one given; any other was referenced.
    const std::string& outermost = placeSources.front()->currentPlace().file;
    place.nested = !place.file.empty() && place.file != outermost;
    return place;
}

} // namespace

FltWarningPlaceScope::FltWarningPlaceScope(const FltWarningPlaceSource& source)
{
    placeSources.push_back(&source);
}

FltWarningPlaceScope::~FltWarningPlaceScope()
{
    placeSources.pop_back();
}

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
    FltWarningPlace place = currentWarningPlace();
    const std::lock_guard<std::mutex> guard(lock);
    warnings.push_back(FltWarningMessage{text ? text : "", level, std::move(place)});
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
