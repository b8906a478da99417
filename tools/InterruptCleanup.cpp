#include "InterruptCleanup.h"

#include <unistd.h>

#include <csignal>
#include <atomic>
#include <cstring>

namespace {

constexpr int kArmedFiles = 4;
constexpr std::size_t kPathBytes = 4096;

// Filled before the count makes an entry visible to the handler.
char armedPaths[kArmedFiles][kPathBytes];
volatile std::sig_atomic_t armedCount = 0;

void removeArmedAndDie(int signalNumber)
{
    for (int i = 0; i < armedCount; ++i)
        unlink(armedPaths[i]);
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

} // namespace

void installInterruptCleanup()
{
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = removeArmedAndDie;
    sigemptyset(&action.sa_mask);
    for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signalNumber, &action, nullptr);
}

void armInterruptCleanup(const std::string& path)
{
    const int count = armedCount;
    if (count >= kArmedFiles || path.size() >= kPathBytes)
        return;
    std::memcpy(armedPaths[count], path.c_str(), path.size() + 1);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    armedCount = count + 1;
}

void disarmInterruptCleanup()
{
    armedCount = 0;
}
