#include "FltDumpQueue.h"

#include "FltDumpBlockWriter.h"
#include "FltDumpWriter.h"
#include "FltRecord.h"

namespace {

// Records handed over in groups: one lock per group, not per record.
constexpr std::size_t kGroupSize = 256;

} // namespace

FltDumpQueue::FltDumpQueue(std::ostream& os) : os(os), target(os.rdbuf())
{
    writer = std::thread([this] { writeItems(); });
    os.rdbuf(this);
}

FltDumpQueue::~FltDumpQueue()
{
    try {
        finish();
    } catch (...) {
        // A failure already reported by finish, or one with nobody left to tell.
    }
}

void FltDumpQueue::dump(FltRecord* record)
{
    if (!record)
        return; // nothing to dump, and null marks text in the queue
    keepPrintedText();
    pending.records.push_back(record);
    ++handedOver;
    if (pending.records.size() >= kGroupSize)
        publish();
}

void FltDumpQueue::waitUntilWritten()
{
    keepPrintedText();
    publish();
    std::unique_lock<std::mutex> guard(lock);
    progress.wait(guard, [this] { return written == handedOver || failure; });
}

void FltDumpQueue::finish()
{
    if (finished)
        return;
    finished = true;
    keepPrintedText();
    publish();
    {
        const std::lock_guard<std::mutex> guard(lock);
        closing = true;
    }
    wake.notify_one();
    writer.join();
    // Setting the buffer back also clears the state the queue's stand-in left.
    os.rdbuf(target);
    if (failure)
        std::rethrow_exception(failure);
}

int FltDumpQueue::overflow(int c)
{
    if (c != traits_type::eof())
        printed += static_cast<char>(c);
    return traits_type::not_eof(c);
}

std::streamsize FltDumpQueue::xsputn(const char* chars, std::streamsize count)
{
    printed.append(chars, static_cast<std::size_t>(count));
    return count;
}

void FltDumpQueue::keepPrintedText()
{
    if (printed.empty())
        return;
    pending.records.push_back(nullptr);
    pending.texts.push_back(std::move(printed));
    printed.clear();
    ++handedOver;
}

void FltDumpQueue::publish()
{
    if (pending.records.empty())
        return;
    {
        const std::lock_guard<std::mutex> guard(lock);
        published.records.insert(published.records.end(), pending.records.begin(), pending.records.end());
        for (std::string& text : pending.texts)
            published.texts.push_back(std::move(text));
    }
    pending.clear();
    wake.notify_one();
}

void FltDumpQueue::writeItems()
{
    std::ostream out(target);
    // Formatting here, copying into the stream on the block writer's thread.
    FltDumpBlockWriter blocks(target);
    FltDumpWriter::Batch batch(out, &blocks);
    Items items;
    for (;;) {
        {
            std::unique_lock<std::mutex> guard(lock);
            wake.wait(guard, [this] { return !published.records.empty() || closing; });
            if (published.records.empty())
                return;
            std::swap(items, published);
        }
        try {
            std::size_t nextText = 0;
            for (FltRecord* record : items.records) {
                if (record) {
                    record->printFields(out);
                } else {
                    FltDumpWriter(out) << items.texts[nextText++];
                }
            }
        } catch (...) {
            const std::lock_guard<std::mutex> guard(lock);
            failure = std::current_exception();
        }
        {
            const std::lock_guard<std::mutex> guard(lock);
            written += items.records.size();
        }
        items.clear();
        progress.notify_all();
    }
}
