// Whole conversions of generated databases, each measured against what the
// machine needs merely to read the input and to write a transcript-sized
// file, and against the memory floor (reading the input and writing the
// transcript's bytes into memory): the figures that say how much the
// conversion itself costs.
//
//   cmake -S . -B build-bench -DFLT_BENCHMARKS=ON -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-bench -j2 && build-bench/benchmarks/flt_benchmarks

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <vector>

#include "BenchmarkDatabases.h"
#include "FltProgress.h"
#include "MemoryMeter.h"
#include "TestFiles.h"
#include "Veldra.h"
#include "convertFltFile.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsOf(const std::function<void()>& work)
{
    const Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The median of five runs: the baselines are short and the disk is shared.
double medianSecondsOf(const std::function<void()>& work)
{
    std::vector<double> runs;
    for (int i = 0; i < 5; ++i)
        runs.push_back(secondsOf(work));
    std::sort(runs.begin(), runs.end());
    return runs[2];
}

// The databases of a directory: the file converted and those it references.
std::vector<std::string> databasesIn(const std::string& dir)
{
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        if (entry.path().extension() == ".flt")
            paths.push_back(entry.path().string());
    return paths;
}

void readWhole(const std::vector<std::string>& paths)
{
    for (const std::string& path : paths) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (!file)
            continue;
        std::vector<char> image(std::filesystem::file_size(path));
        benchmark::DoNotOptimize(std::fread(image.data(), 1, image.size(), file));
        std::fclose(file);
    }
}

// The memory floor's second half: the transcript's bytes written into fresh
// memory, as a conversion that wrote nothing else would have to.
void writeMemoryOf(std::size_t bytes)
{
    const std::vector<char> block(1 << 20, 'x');
    std::unique_ptr<char[]> text(new char[bytes + 1]);
    for (std::size_t done = 0; done < bytes; done += block.size())
        std::memcpy(text.get() + done, block.data(), std::min(block.size(), bytes - done));
    benchmark::DoNotOptimize(text.get());
    benchmark::ClobberMemory();
}

void writeFileOf(const std::string& path, std::size_t bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return;
    const std::vector<char> block(1 << 20, 'x');
    for (std::size_t done = 0; done < bytes; done += block.size())
        std::fwrite(block.data(), 1, std::min(block.size(), bytes - done), file);
    std::fclose(file);
}

// Converts the database at `path` once per iteration and reports its
// figures, each also as a ratio to the two baselines. The input is every
// database of the directory, the referenced ones included.
void measureConversion(benchmark::State& state, const ScratchDir& dir, const std::string& path)
{
    std::ofstream sink("/dev/null");
    std::streambuf* saved = std::cout.rdbuf(sink.rdbuf());
    double convertSeconds = 0;
    std::size_t peak = 0;
    for (auto _ : state) {
        const std::size_t before = residentBytes();
        resetPeakResident();
        SoSeparator* root = nullptr;
        const double seconds = secondsOf([&] { root = convertFltFile(path.c_str()); });
        peak = std::max(peak, peakResidentBytes() - before);
        state.SetIterationTime(seconds);
        convertSeconds += seconds;
        if (root->getRefCount() == 0)
            root->ref();
        root->unref();
    }
    std::cout.rdbuf(saved);
    convertSeconds /= static_cast<double>(state.iterations());

    const std::vector<std::string> inputs = databasesIn(dir.path());
    double input = 0;
    for (const std::string& database : inputs)
        input += static_cast<double>(std::filesystem::file_size(database));
    const std::size_t transcript = std::filesystem::file_size(path + ".log");
    const double readSeconds = medianSecondsOf([&] { readWhole(inputs); });
    const double writeSeconds = medianSecondsOf([&] { writeFileOf(dir.file("baseline.out"), transcript); });
    const double floorSeconds = medianSecondsOf([&] {
        readWhole(inputs);
        writeMemoryOf(transcript);
    });
    constexpr double MB = 1e6;
    state.counters["input_MB"] = input / MB;
    state.counters["transcript_MB"] = static_cast<double>(transcript) / MB;
    state.counters["MB_per_s"] = input / MB / convertSeconds;
    state.counters["ns_per_byte"] = convertSeconds * 1e9 / input;
    state.counters["peak_MB"] = static_cast<double>(peak) / MB;
    state.counters["peak_x_input"] = static_cast<double>(peak) / input;
    state.counters["read_ms"] = readSeconds * 1e3;
    state.counters["write_ms"] = writeSeconds * 1e3;
    state.counters["x_read"] = convertSeconds / readSeconds;
    state.counters["x_write"] = convertSeconds / writeSeconds;
    state.counters["x_read_write"] = convertSeconds / (readSeconds + writeSeconds);
    state.counters["floor_ms"] = floorSeconds * 1e3;
    state.counters["x_floor"] = convertSeconds / floorSeconds;
}

void BM_Terrain(benchmark::State& state)
{
    ScratchDir dir;
    measureConversion(state, dir, writeTerrain(dir.path(), static_cast<int>(state.range(0))));
}
// About 10 and 42 MB: four times the input should take at most 4.4 times as long.
BENCHMARK(BM_Terrain)->Arg(90)->Arg(360)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// The terrain again with a progress hook that reads the clock at each call,
// as fltconvert's does on a terminal: its time is BM_Terrain's.
void BM_TerrainWithProgress(benchmark::State& state)
{
    ScratchDir dir;
    struct Calls {
        std::size_t count = 0;
        Clock::time_point last;
    } calls;
    setFltProgressHook(
        [](void* context, FltProgressStage, const char*, uint64_t, uint64_t) {
            auto* seen = static_cast<Calls*>(context);
            ++seen->count;
            seen->last = Clock::now();
        },
        &calls);
    measureConversion(state, dir, writeTerrain(dir.path(), static_cast<int>(state.range(0))));
    setFltProgressHook(nullptr, nullptr);
    state.counters["progress_calls"] =
        static_cast<double>(calls.count) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_TerrainWithProgress)->Arg(360)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Hierarchy(benchmark::State& state)
{
    ScratchDir dir;
    measureConversion(state, dir, writeHierarchy(dir.path(), static_cast<int>(state.range(0))));
}
BENCHMARK(BM_Hierarchy)->Arg(50000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_References(benchmark::State& state)
{
    ScratchDir dir;
    measureConversion(state, dir, writeReferences(dir.path(), static_cast<int>(state.range(0))));
}
BENCHMARK(BM_References)->Arg(500)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
