#include "WorkerPool.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <vector>

#include "FltWriteAll.h"
#include "InterruptCleanup.h"

namespace {

volatile std::sig_atomic_t interrupted = 0;

void noteInterrupt(int signalNumber)
{
    interrupted = signalNumber;
}

bool readAll(int fd, void* data, std::size_t size)
{
    char* bytes = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t got = ::read(fd, bytes, size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        bytes += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

struct Worker {
    pid_t pid = -1;
    int tasks = -1;   // item numbers to the worker
    int results = -1; // length-prefixed results back
    int errors = -1;  // its error stream, when the pool's caller takes it
    std::string errorLine; // the part of a line not passed on yet
    bool busy = false;
    std::size_t item = 0;
    std::string received;
};

// The worker's loop: an item number in, its result out, until the pipe closes.
[[noreturn]] void serve(int tasks, int results, const WorkerPool::Work& work)
{
    installInterruptCleanup();
    uint64_t item = 0;
    while (readAll(tasks, &item, sizeof item)) {
        const std::string result = work(static_cast<std::size_t>(item));
        std::cout.flush();
        std::cerr.flush();
        const uint64_t length = result.size();
        if (!fltWriteAll(results, &length, sizeof length) || !fltWriteAll(results, result.data(), result.size()))
            break;
    }
    std::fflush(nullptr);
    _exit(0);
}

std::string howItEnded(int status)
{
    if (WIFSIGNALED(status))
        return std::string("the worker converting it was killed by signal ") + std::to_string(WTERMSIG(status)) +
               " (" + strsignal(WTERMSIG(status)) + ")";
    return "the worker converting it stopped with status " + std::to_string(WEXITSTATUS(status));
}

// Passes on the whole lines a worker wrote to its error stream; when the
// stream ends (or `untilEnd` waits for it to), the rest, and closes it.
void passErrors(Worker& worker, const WorkerPool::Errors& errors, bool untilEnd)
{
    char buffer[65536];
    ssize_t got;
    do {
        got = ::read(worker.errors, buffer, sizeof buffer);
        if (got > 0)
            worker.errorLine.append(buffer, static_cast<std::size_t>(got));
    } while (untilEnd && (got > 0 || (got < 0 && errno == EINTR)));
    const std::string::size_type lineEnd = worker.errorLine.rfind('\n');
    if (got <= 0 && !(got < 0 && errno == EINTR)) {
        if (!worker.errorLine.empty())
            errors(worker.errorLine + (worker.errorLine.back() == '\n' ? "" : "\n"));
        worker.errorLine.clear();
        close(worker.errors);
        worker.errors = -1;
    } else if (lineEnd != std::string::npos) {
        errors(worker.errorLine.substr(0, lineEnd + 1));
        worker.errorLine.erase(0, lineEnd + 1);
    }
}

class Pool {
public:
    Pool(const WorkerPool::Work& work, const WorkerPool::Errors& errors)
        : work(work), errors(errors), takesErrors(static_cast<bool>(errors))
    {
    }

    bool start(Worker& worker)
    {
        int tasks[2], results[2], errors[2] = {-1, -1};
        if (pipe(tasks) != 0)
            return false;
        if (pipe(results) != 0 || (takesErrors && pipe(errors) != 0)) {
            for (const int fd : {tasks[0], tasks[1], results[0], results[1]})
                close(fd);
            return false;
        }
        std::cout.flush();
        std::cerr.flush();
        std::fflush(nullptr);
        const pid_t pid = fork();
        if (pid == 0) {
            // Only its own pipes: another worker must see its task pipe close.
            for (const Worker& other : workers)
                if (&other != &worker && other.pid > 0) {
                    close(other.tasks);
                    close(other.results);
                    close(other.errors);
                }
            close(tasks[1]);
            close(results[0]);
            if (takesErrors) {
                dup2(errors[1], STDERR_FILENO);
                close(errors[0]);
                close(errors[1]);
            }
            serve(tasks[0], results[1], work);
        }
        close(tasks[0]);
        close(results[1]);
        close(errors[1]);
        if (pid < 0) {
            close(tasks[1]);
            close(results[0]);
            close(errors[0]);
            return false;
        }
        worker = Worker();
        worker.pid = pid;
        worker.tasks = tasks[1];
        worker.results = results[0];
        worker.errors = errors[0];
        return true;
    }

    void stop(Worker& worker, bool kill)
    {
        if (worker.pid <= 0)
            return;
        if (kill)
            ::kill(worker.pid, SIGTERM);
        close(worker.tasks);
        // Its last lines come after its last result; an interrupted batch drops them.
        if (worker.errors >= 0 && !kill)
            passErrors(worker, errors, true);
        close(worker.results);
        close(worker.errors);
        worker.errors = -1;
        int status = 0;
        while (waitpid(worker.pid, &status, 0) < 0 && errno == EINTR) {
        }
        lastStatus = status;
        worker.pid = -1;
    }

    std::vector<Worker> workers;
    int lastStatus = 0;

private:
    const WorkerPool::Work& work;
    const WorkerPool::Errors& errors;
    bool takesErrors;
};


} // namespace

int WorkerPool::run(std::size_t items, int count, const Work& work, const Deliver& deliver, const Errors& errors)
{
    struct sigaction noted, previous[3], ignored, previousPipe;
    std::memset(&noted, 0, sizeof noted);
    noted.sa_handler = noteInterrupt;
    sigemptyset(&noted.sa_mask);
    const int stopSignals[3] = {SIGINT, SIGTERM, SIGHUP};
    interrupted = 0;
    for (int i = 0; i < 3; ++i)
        sigaction(stopSignals[i], &noted, &previous[i]);
    // A worker that died leaves its task pipe without a reader.
    std::memset(&ignored, 0, sizeof ignored);
    ignored.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignored, &previousPipe);

    Pool pool(work, errors);
    pool.workers.resize(std::min<std::size_t>(static_cast<std::size_t>(count), items));
    std::size_t next = 0;      // the next item to hand out
    std::size_t delivered = 0; // items delivered so far, in order
    std::map<std::size_t, std::string> finished;
    std::map<std::size_t, std::pair<pid_t, std::string>> died;

    const auto handOut = [&](Worker& worker) {
        if (next >= items) {
            pool.stop(worker, false);
            return;
        }
        const uint64_t item = next++;
        worker.busy = true;
        worker.item = static_cast<std::size_t>(item);
        worker.received.clear();
        fltWriteAll(worker.tasks, &item, sizeof item);
    };
    for (Worker& worker : pool.workers)
        if (pool.start(worker))
            handOut(worker);

    while (delivered < items && !interrupted) {
        // Each pipe watched, with the worker (and which process of it) it belongs to.
        struct Watched {
            Worker* worker;
            pid_t pid;
            bool errorStream;
        };
        std::vector<pollfd> watched;
        std::vector<Watched> owners;
        for (Worker& worker : pool.workers)
            if (worker.pid > 0) {
                watched.push_back({worker.results, POLLIN, 0});
                owners.push_back({&worker, worker.pid, false});
                if (worker.errors >= 0) {
                    watched.push_back({worker.errors, POLLIN, 0});
                    owners.push_back({&worker, worker.pid, true});
                }
            }
        if (watched.empty()) {
            // No worker could be started: the rest is reported as not converted.
            for (; next < items; ++next)
                died[next] = {0, "no worker process could be started"};
        } else if (poll(watched.data(), watched.size(), -1) < 0) {
            if (errno != EINTR)
                break;
            continue;
        }
        for (std::size_t i = 0; i < watched.size(); ++i) {
            // A worker replaced since the poll has pipes of its own, perhaps under the same numbers.
            Worker& worker = *owners[i].worker;
            if (!watched[i].revents || worker.pid != owners[i].pid)
                continue;
            if (owners[i].errorStream) {
                if (worker.errors == watched[i].fd)
                    passErrors(worker, errors, false);
                continue;
            }
            char buffer[65536];
            const ssize_t got = ::read(worker.results, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got > 0) {
                worker.received.append(buffer, static_cast<std::size_t>(got));
                uint64_t length = 0;
                if (worker.received.size() >= sizeof length) {
                    std::memcpy(&length, worker.received.data(), sizeof length);
                    if (worker.received.size() - sizeof length >= length) {
                        finished[worker.item] = worker.received.substr(sizeof length);
                        worker.busy = false;
                        handOut(worker);
                    }
                }
                continue;
            }
            // The worker is gone: its item failed, a new worker takes the rest.
            const bool wasBusy = worker.busy;
            const std::size_t item = worker.item;
            const pid_t pid = worker.pid;
            pool.stop(worker, false);
            if (wasBusy) {
                died[item] = {pid, howItEnded(pool.lastStatus)};
                if (next < items && pool.start(worker))
                    handOut(worker);
            }
        }
        for (;;) {
            const auto done = finished.find(delivered);
            const auto dead = died.find(delivered);
            if (done != finished.end()) {
                deliver(delivered, &done->second, 0, "");
                finished.erase(done);
            } else if (dead != died.end()) {
                deliver(delivered, nullptr, dead->second.first, dead->second.second);
                died.erase(dead);
            } else {
                break;
            }
            ++delivered;
        }
    }
    for (Worker& worker : pool.workers)
        pool.stop(worker, interrupted != 0);
    for (int i = 0; i < 3; ++i)
        sigaction(stopSignals[i], &previous[i], nullptr);
    sigaction(SIGPIPE, &previousPipe, nullptr);
    return interrupted;
}
