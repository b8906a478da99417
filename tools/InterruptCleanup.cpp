#include "InterruptCleanup.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
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

namespace {

// Holds the interrupts back while it lives.
class InterruptsHeld {
public:
    InterruptsHeld()
    {
        sigset_t interrupts;
        sigemptyset(&interrupts);
        for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP})
            sigaddset(&interrupts, signalNumber);
        sigprocmask(SIG_BLOCK, &interrupts, &previous);
    }
    ~InterruptsHeld() { sigprocmask(SIG_SETMASK, &previous, nullptr); }
    InterruptsHeld(const InterruptsHeld&) = delete;
    InterruptsHeld& operator=(const InterruptsHeld&) = delete;

private:
    sigset_t previous;
};

} // namespace

bool createArmedFile(const std::string& path)
{
    const InterruptsHeld held;
    const int made = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    const int openError = errno;
    if (made >= 0) {
        ::close(made);
        armInterruptCleanup(path);
    }
    errno = openError;
    return made >= 0;
}

bool renameAndDisarm(const std::string& from, const std::string& to)
{
    const InterruptsHeld held;
    const bool renamed = std::rename(from.c_str(), to.c_str()) == 0;
    const int renameError = errno;
    if (renamed)
        disarmInterruptCleanup();
    errno = renameError;
    return renamed;
}
