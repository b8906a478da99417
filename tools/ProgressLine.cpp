#include "ProgressLine.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <iostream>

namespace {

std::size_t terminalColumns()
{
    winsize size{};
    if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    return 80;
}

// The line for one report, its file name shortened from the front (to
// "...tail") so that the whole line fits in `columns` - 1 characters.
std::string progressText(FltProgressStage stage, const std::string& fileName, uint64_t done,
                         uint64_t total, std::size_t columns)
{
    char figures[96];
    if (stage == FltProgressStage::Parsing) {
        const unsigned percent = total ? static_cast<unsigned>(done * 100 / total) : 0;
        std::snprintf(figures, sizeof figures, ": %u%% (%.1f of %.1f MB)", percent, done / 1e6,
                      total / 1e6);
    } else {
        std::snprintf(figures, sizeof figures, ": records %llu of %llu",
                      static_cast<unsigned long long>(done), static_cast<unsigned long long>(total));
    }
    const std::string verb = stage == FltProgressStage::Parsing ? "parsing " : "converting ";
    // A line longer than the terminal would wrap, and \r returns to its last row only.
    const std::size_t room = columns > 1 ? columns - 1 : 0;
    const std::size_t fixed = verb.size() + std::string(figures).size();
    std::string name = fileName;
    if (fixed + name.size() > room) {
        const std::size_t keep = room > fixed + 3 ? room - fixed - 3 : 0;
        std::size_t from = name.size() - std::min(keep, name.size());
        // Not in the middle of a UTF-8 character.
        while (from < name.size() && (static_cast<unsigned char>(name[from]) & 0xC0) == 0x80)
            ++from;
        name = "..." + name.substr(from);
    }
    std::string text = verb + name + figures;
    if (text.size() > room)
        text.resize(room);
    return text;
}

} // namespace

ProgressLine::ProgressLine(std::chrono::duration<double> delay)
    : terminal(std::cerr.rdbuf()), delay(std::chrono::duration_cast<Clock::duration>(delay))
{
    started = Clock::now();
    std::cerr.rdbuf(this);
    setFltProgressHook(&ProgressLine::report, this);
}

ProgressLine::~ProgressLine()
{
    setFltProgressHook(nullptr, nullptr);
    clear();
    std::cerr.rdbuf(terminal);
}

void ProgressLine::start()
{
    clear();
    started = Clock::now();
    drawnThisFile = false;
}

void ProgressLine::clear()
{
    if (!shown)
        return;
    shown = false;
    terminal->sputn("\r\033[K", 4);
    terminal->pubsync();
}

int ProgressLine::overflow(int c)
{
    clear();
    return traits_type::eq_int_type(c, traits_type::eof()) ? traits_type::not_eof(c)
                                                           : terminal->sputc(traits_type::to_char_type(c));
}

std::streamsize ProgressLine::xsputn(const char* text, std::streamsize count)
{
    clear();
    return terminal->sputn(text, count);
}

int ProgressLine::sync()
{
    return terminal->pubsync();
}

void ProgressLine::report(void* self, FltProgressStage stage, const char* fileName, uint64_t done,
                          uint64_t total)
{
    static_cast<ProgressLine*>(self)->draw(stage, fileName, done, total);
}

void ProgressLine::draw(FltProgressStage stage, const char* fileName, uint64_t done, uint64_t total)
{
    const Clock::time_point now = Clock::now();
    if (now - started < delay)
        return;
    const bool sameStage = drawnThisFile && stage == lastStage;
    if (sameStage && now - lastDrawn < std::chrono::milliseconds(100))
        return;
    const std::string text = progressText(stage, fileName, done, total, terminalColumns());
    terminal->sputn("\r", 1);
    terminal->sputn(text.data(), static_cast<std::streamsize>(text.size()));
    terminal->sputn("\033[K", 3);
    terminal->pubsync();
    shown = true;
    drawnThisFile = true;
    lastStage = stage;
    lastDrawn = now;
}
