#pragma once

// Record dumps written on a second thread, in the order the records were
// handed over, while the parser goes on decoding: the transcript is most of
// a conversion's work. While the queue runs it stands in for the stream it
// writes to, so whatever else is printed there keeps its place among the
// dumps; `finish` (or the destructor) gives the stream back, all written.

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

class FltRecord;

class FltDumpQueue : private std::streambuf {
public:
    explicit FltDumpQueue(std::ostream& os);
    ~FltDumpQueue() override;
    FltDumpQueue(const FltDumpQueue&) = delete;
    FltDumpQueue& operator=(const FltDumpQueue&) = delete;

    // Queues the record's dump; the record must not change until it is written.
    void dump(FltRecord* record);
    // Returns once everything handed over is written, so a record may change.
    void waitUntilWritten();
    // Writes the rest, stops the thread and gives the stream back.
    void finish();

private:
    // Records to dump in order; a null one stands for the next text, printed
    // between two dumps.
    struct Items {
        std::vector<FltRecord*> records;
        std::vector<std::string> texts;
        void clear()
        {
            records.clear();
            texts.clear();
        }
    };

    int overflow(int c) override;
    std::streamsize xsputn(const char* chars, std::streamsize count) override;
    int sync() override { return 0; }

    void keepPrintedText();
    void publish();
    void writeItems();

    std::ostream& os;
    std::streambuf* target;
    std::string printed;       // text printed since the last record
    Items pending; // handed over, not yet published
    std::size_t handedOver = 0;

    std::mutex lock;
    std::condition_variable wake;
    std::condition_variable progress;
    Items published;
    std::size_t written = 0;
    bool closing = false;
    std::exception_ptr failure;
    std::thread writer;
    bool finished = false;
};
