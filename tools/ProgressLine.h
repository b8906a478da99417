#pragma once

#include <chrono>
#include <cstdint>
#include <streambuf>

#include "FltProgress.h"

// fltconvert's progress line on a terminal's error stream, fed by the
// library's progress hook while it is alive. A file's line appears once the
// file has taken `delay`, is redrawn in place at most ten times a second (at
// once when the stage changes), and is cleared when the file is done.
// Meanwhile it stands in for the error stream's buffer, so that whatever
// else is written there (warnings) first clears the line instead of running
// on after it.
class ProgressLine : public std::streambuf {
public:
    explicit ProgressLine(std::chrono::duration<double> delay);
    ~ProgressLine() override;
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // A new file starts: its time counts from now.
    void start();
    // Removes the line, when one is shown.
    void clear();

protected:
    int overflow(int c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    using Clock = std::chrono::steady_clock;

    static void report(void* self, FltProgressStage stage, const char* fileName, uint64_t done,
                       uint64_t total);
    void draw(FltProgressStage stage, const char* fileName, uint64_t done, uint64_t total);

    std::streambuf* terminal;
    Clock::duration delay;
    Clock::time_point started;
    Clock::time_point lastDrawn;
    bool drawnThisFile = false;
    FltProgressStage lastStage = FltProgressStage::Parsing;
    bool shown = false;
};

