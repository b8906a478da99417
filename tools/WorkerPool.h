#pragma once

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <string>

// Runs a batch's items in worker processes forked from this one, since an
// item's work owns the process's standard output and warning console.
class WorkerPool {
public:
    // Runs in a worker: the item's result, as bytes.
    using Work = std::function<std::string(std::size_t item)>;
    // Runs here, once per item, in item order whatever order the workers
    // finish in. `result` is null when the worker died working on the item
    // (`worker` is its process id, `death` says how it ended).
    using Deliver =
        std::function<void(std::size_t item, const std::string* result, pid_t worker, const std::string& death)>;

    // Given, the workers' error streams come here, a whole line at a time
    // (a caller that draws on the error stream itself interleaves them).
    using Errors = std::function<void(const std::string& lines)>;

    // Returns 0, or the signal (SIGINT, SIGTERM, SIGHUP) that stopped the
    // batch: every worker has then been ended and waited for.
    static int run(std::size_t items, int workers, const Work& work, const Deliver& deliver,
                   const Errors& errors = nullptr);
};
