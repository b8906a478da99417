#include "FltDumpStage.h"

#include <atomic>
#include <iostream>
#include <system_error>

#include "FltCreationVisitor.h"

namespace {

// Inputs from this size on are dumped on a second thread; below it, starting
// one costs more than it saves.
std::atomic<uint64_t> backgroundDumpSize{1 << 20};

} // namespace

FltDumpStage::FltDumpStage(FltCreationVisitor& factory, uint64_t inputSize) : factory(factory)
{
    // A dropped standard output (no transcript wanted) takes no dumps at all.
    if (inputSize < backgroundDumpSize.load() || !std::cout.rdbuf())
        return;
    try {
        queue = std::make_unique<FltDumpQueue>(std::cout);
    } catch (const std::system_error&) {
        return; // no thread to be had: the dumps are written as they come
    }
    factory.setDumpQueue(queue.get());
}

FltDumpStage::~FltDumpStage()
{
    factory.setDumpQueue(nullptr);
}

void FltDumpStage::setBackgroundSize(uint64_t bytes)
{
    backgroundDumpSize.store(bytes);
}

void FltDumpStage::finish()
{
    factory.setDumpQueue(nullptr);
    if (queue)
        queue->finish();
}
