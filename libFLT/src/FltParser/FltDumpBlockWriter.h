#pragma once

// Finished blocks of transcript text written to their stream on a thread of
// their own, so that copying one block into the file overlaps with
// formatting the next. The thread starts with the first block (a short
// transcript never gets one) and at most a few blocks wait at a time.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <streambuf>
#include <thread>
#include <vector>

#include "FltDumpBuffer.h"

class FltDumpBlockWriter {
public:
    explicit FltDumpBlockWriter(std::streambuf* target);
    ~FltDumpBlockWriter() { finish(); }
    FltDumpBlockWriter(const FltDumpBlockWriter&) = delete;
    FltDumpBlockWriter& operator=(const FltDumpBlockWriter&) = delete;

    // Takes the block's text to be written after the blocks before it, and
    // leaves `block` empty (with the room of a block already written when
    // there is one).
    void handOver(FltDumpBuffer& block) noexcept;
    // Returns once every block is written; the thread is gone.
    void finish() noexcept;

private:
    void writeBlocks();
    void write(const FltDumpBuffer& block) noexcept;

    std::streambuf* target;
    std::mutex lock;
    std::condition_variable changed;
    std::deque<std::unique_ptr<FltDumpBuffer>> waiting;
    std::vector<std::unique_ptr<FltDumpBuffer>> spares;
    bool closing = false;
    bool threadless = false; // no thread to be had: blocks are written as they come
    std::thread writer;
};
