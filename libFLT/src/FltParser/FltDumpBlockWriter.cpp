#include "FltDumpBlockWriter.h"

#include <system_error>

namespace {

// One block written while the next waits and a third is formatted: both
// sides stay busy, and the memory held stays a few megabytes (a small
// share even of a 10 MB input's peak).
constexpr std::size_t kMostWaiting = 1;

// Blocks in circulation at most: those waiting and the one being written.
constexpr std::size_t kMostBlocks = kMostWaiting + 1;

} // namespace

FltDumpBlockWriter::FltDumpBlockWriter(std::streambuf* target) : target(target)
{
    // The writing thread keeps what it wrote without ever allocating.
    spares.reserve(kMostBlocks);
}

void FltDumpBlockWriter::handOver(FltDumpBuffer& block) noexcept
{
    if (block.empty())
        return;
    try {
        auto full = std::make_unique<FltDumpBuffer>();
        std::unique_lock<std::mutex> guard(lock);
        if (!threadless && !writer.joinable()) {
            try {
                writer = std::thread([this] { writeBlocks(); });
            } catch (const std::system_error&) {
                threadless = true;
            }
        }
        if (!threadless) {
            changed.wait(guard, [this] { return waiting.size() < kMostWaiting; });
            const std::size_t room = block.capacity();
            waiting.push_back(std::move(full)); // may throw: the text is still the caller's
            waiting.back()->swap(block);
            const bool spare = !spares.empty();
            if (spare) {
                block.swap(*spares.back());
                spares.pop_back();
            }
            guard.unlock();
            changed.notify_all();
            // Room for a whole block at once: grown step by step it would
            // end up twice as large.
            if (!spare)
                block.reserve(room);
            return;
        }
    } catch (const std::bad_alloc&) {
        // no memory for the hand-over: written here instead
    }
    write(block);
    block.clear();
}

void FltDumpBlockWriter::finish() noexcept
{
    {
        const std::lock_guard<std::mutex> guard(lock);
        closing = true;
    }
    changed.notify_all();
    if (writer.joinable())
        writer.join();
}

void FltDumpBlockWriter::writeBlocks()
{
    std::unique_lock<std::mutex> guard(lock);
    for (;;) {
        changed.wait(guard, [this] { return !waiting.empty() || closing; });
        if (waiting.empty())
            return;
        std::unique_ptr<FltDumpBuffer> block = std::move(waiting.front());
        waiting.pop_front();
        guard.unlock();
        changed.notify_all(); // room for the next block
        write(*block);
        block->clear();
        guard.lock();
        if (spares.size() < spares.capacity())
            spares.push_back(std::move(block));
    }
}

void FltDumpBlockWriter::write(const FltDumpBuffer& block) noexcept
{
    // A stream that fails, or has no buffer (a transcript that could not be
    // created), loses the text, as a failing output stream would.
    if (!target)
        return;
    try {
        target->sputn(block.data(), static_cast<std::streamsize>(block.size()));
    } catch (...) {
    }
}
