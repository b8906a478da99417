// fltconvert on a tree of many small real databases (the shared samples,
// copied into folders of their own), with one worker process and with two:
// the figure that says what -j buys on a machine of two cores.

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "TestFiles.h"

namespace {

namespace fs = std::filesystem;

// Copies of every sample database, each copy in a folder of its own.
int writeSampleTree(const std::string& tree, int copies)
{
    int databases = 0;
    std::vector<fs::path> samples;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(samplesDir()))
        if (entry.is_regular_file() && entry.path().extension() == ".flt")
            samples.push_back(entry.path());
    std::sort(samples.begin(), samples.end());
    for (int copy = 0; copy < copies; ++copy) {
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const fs::path folder = fs::path(tree) / std::to_string(copy) / std::to_string(i);
            fs::create_directories(folder);
            fs::copy_file(samples[i], folder / samples[i].filename(), fs::copy_options::overwrite_existing);
            ++databases;
        }
    }
    return databases;
}

double childSeconds()
{
    rusage usage;
    getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The run's wall time; `cpu` gets the processor time of the tool and its workers.
double secondsToConvert(const std::string& tree, const std::string& out, int jobs, double& cpu)
{
    fs::remove_all(out);
    const double cpuBefore = childSeconds();
    const std::string command = "'" FLT_CONVERT_BINARY "' -q --no-log -j " + std::to_string(jobs) +
                                " --gltf-dir '" + out + "' '" + tree + "' 2>/dev/null";
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    cpu = childSeconds() - cpuBefore;
    return WIFEXITED(status) && WEXITSTATUS(status) <= 1 ? seconds : -1;
}

// Alternates -j 1 and -j 2 runs, so that whatever else the shared machine
// does weighs on both alike; the medians are compared.
void BM_BatchTwoWorkers(benchmark::State& state)
{
    if (samplesDir().empty()) {
        state.SkipWithError("no shared samples");
        return;
    }
    ScratchDir dir;
    const int databases = writeSampleTree(dir.file("tree"), static_cast<int>(state.range(0)));
    std::vector<double> one, two, oneCpu, twoCpu;
    for (auto _ : state) {
        double cpu = 0;
        one.push_back(secondsToConvert(dir.file("tree"), dir.file("out"), 1, cpu));
        oneCpu.push_back(cpu);
        two.push_back(secondsToConvert(dir.file("tree"), dir.file("out"), 2, cpu));
        twoCpu.push_back(cpu);
        if (one.back() < 0 || two.back() < 0) {
            state.SkipWithError("fltconvert failed");
            return;
        }
        state.SetIterationTime(two.back());
    }
    const auto median = [](std::vector<double> runs) {
        std::sort(runs.begin(), runs.end());
        return runs[runs.size() / 2];
    };
    state.counters["databases"] = databases;
    state.counters["j1_s"] = median(one);
    state.counters["j2_s"] = median(two);
    state.counters["j2_x_j1"] = median(two) / median(one);
    // Processor time, to read the wall times by: on a machine whose other
    // work leaves this one core's share, two workers cannot be faster.
    state.counters["j1_cpu_s"] = median(oneCpu);
    state.counters["j2_cpu_s"] = median(twoCpu);
}
BENCHMARK(BM_BatchTwoWorkers)->Arg(10)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
