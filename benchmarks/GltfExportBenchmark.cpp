// The glTF export of the generated terrain, next to the conversion that made
// its scene: the export must cost less than the conversion itself.

#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>
#include <iostream>

#include "BenchmarkDatabases.h"
#include "GltfExport.h"
#include "TestFiles.h"
#include "Veldra.h"
#include "convertFltFile.h"

namespace {

using Clock = std::chrono::steady_clock;

void BM_TerrainGltfExport(benchmark::State& state)
{
    ScratchDir dir;
    const std::string path = writeTerrain(dir.path(), static_cast<int>(state.range(0)));
    std::ofstream sink("/dev/null");
    // The conversion's output and the export's warnings (the terrain's image is not written).
    std::streambuf* saved = std::cout.rdbuf(sink.rdbuf());
    std::streambuf* savedErrors = std::cerr.rdbuf(sink.rdbuf());
    double convertSeconds = 0;
    double exportSeconds = 0;
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        SoSeparator* root = convertFltFile(path.c_str());
        convertSeconds += std::chrono::duration<double>(Clock::now() - start).count();
        root->ref();

        start = Clock::now();
        std::string error;
        if (!exportGltf(root, dir.file("terrain.glb"), dir.path(), error))
            state.SkipWithError(error.c_str());
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        exportSeconds += seconds;
        root->unref();
    }
    std::cout.rdbuf(saved);
    std::cerr.rdbuf(savedErrors);
    const double runs = static_cast<double>(state.iterations());
    state.counters["convert_ms"] = convertSeconds / runs * 1e3;
    state.counters["export_ms"] = exportSeconds / runs * 1e3;
    state.counters["export_x_convert"] = exportSeconds / convertSeconds;
}
BENCHMARK(BM_TerrainGltfExport)->Arg(90)->Arg(360)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
