#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What converting one input gave: its exit status, its figures for the
// batch summary, and what the tool prints about it, kept in order so that a
// worker's outcome is printed by the batch exactly as it would have been
// printed at once.
struct InputOutcome {
    enum class Kind { Converted, Failed, Refused };
    enum class Stream { Output, Errors, Scene };
    struct Text {
        Stream stream;
        std::string text;
    };

    Kind kind = Kind::Converted;
    int status = 0;
    int64_t warningsByLevel[3] = {};
    int64_t outputBytes = 0;
    std::vector<Text> texts;

    void print(Stream stream, std::string text) { texts.push_back({stream, std::move(text)}); }
};

// Byte strings for the pipe from a worker; decoding fails (false) on
// anything that is not a whole outcome.
std::string encodeOutcome(const InputOutcome& outcome);
bool decodeOutcome(const std::string& bytes, InputOutcome& outcome);
