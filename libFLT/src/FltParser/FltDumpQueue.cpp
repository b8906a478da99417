#include "FltDumpQueue.h"

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
    keepPrintedText();
    pending.push_back(Item{record, std::string()});
    ++handedOver;
    if (pending.size() >= kGroupSize)
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
    pending.push_back(Item{nullptr, std::move(printed)});
    printed.clear();
    ++handedOver;
}

void FltDumpQueue::publish()
{
    if (pending.empty())
        return;
    {
        const std::lock_guard<std::mutex> guard(lock);
        published.insert(published.end(), std::make_move_iterator(pending.begin()),
                         std::make_move_iterator(pending.end()));
    }
    pending.clear();
    wake.notify_one();
}

void FltDumpQueue::writeItems()
{
    std::ostream out(target);
    std::vector<Item> items;
    for (;;) {
        {
            std::unique_lock<std::mutex> guard(lock);
            wake.wait(guard, [this] { return !published.empty() || closing; });
            if (published.empty())
                return;
            items.swap(published);
        }
        try {
            for (Item& item : items) {
                if (item.record)
                    item.record->printFields(out);
                else
                    out.write(item.text.data(), static_cast<std::streamsize>(item.text.size()));
            }
        } catch (...) {
            const std::lock_guard<std::mutex> guard(lock);
            failure = std::current_exception();
        }
        {
            const std::lock_guard<std::mutex> guard(lock);
            written += items.size();
        }
        items.clear();
        progress.notify_all();
    }
}
