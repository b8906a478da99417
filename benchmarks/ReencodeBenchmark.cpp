// Records read and written again: the parse (no transcript), the encoding
// of every record and the write of the file, each timed on its own, with
// the encoding and the write as ratios to the parse. Every run checks that
// the bytes came back.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "BenchmarkDatabases.h"
#include "FltMemoryInput.h"
#include "FltParser.h"
#include "FltWriteRecords.h"
#include "TestFiles.h"

namespace {

using Clock = std::chrono::steady_clock;

double since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void measureReencoding(benchmark::State& state, const ScratchDir& dir, const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<unsigned char> image((std::istreambuf_iterator<char>(file)),
                                           std::istreambuf_iterator<char>());
    double parseSeconds = 0, encodeSeconds = 0, writeSeconds = 0;
    for (auto _ : state) {
        FltMemoryInput input(image.data(), image.size(), path);
        FltParser parser(&input);
        parser.setTranscript(false);
        Clock::time_point start = Clock::now();
        parser.parse();
        parseSeconds += since(start);
        start = Clock::now();
        const std::vector<unsigned char> bytes = encodeFltRecords(parser.getRecords());
        const double encoding = since(start);
        encodeSeconds += encoding;
        state.SetIterationTime(encoding);
        start = Clock::now();
        writeFltBytes(dir.file("written.flt"), bytes);
        writeSeconds += since(start);
        parser.deleteRecords();
        if (bytes != image)
            state.SkipWithError("the records did not encode to the bytes they were read from");
    }
    const double runs = static_cast<double>(state.iterations());
    constexpr double MB = 1e6;
    state.counters["input_MB"] = static_cast<double>(image.size()) / MB;
    state.counters["parse_ms"] = parseSeconds / runs * 1e3;
    state.counters["encode_ms"] = encodeSeconds / runs * 1e3;
    state.counters["write_ms"] = writeSeconds / runs * 1e3;
    state.counters["encode_x_parse"] = encodeSeconds / parseSeconds;
    state.counters["encode_MB_per_s"] = static_cast<double>(image.size()) / MB / (encodeSeconds / runs);
}

void BM_TerrainReencode(benchmark::State& state)
{
    ScratchDir dir;
    measureReencoding(state, dir, writeTerrain(dir.path(), static_cast<int>(state.range(0))));
}
BENCHMARK(BM_TerrainReencode)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_HierarchyReencode(benchmark::State& state)
{
    ScratchDir dir;
    measureReencoding(state, dir, writeHierarchy(dir.path(), static_cast<int>(state.range(0))));
}
BENCHMARK(BM_HierarchyReencode)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
