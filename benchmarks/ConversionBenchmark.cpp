// Whole conversions of a generated database: bytes to records to transcript
// (the parse) and on to the scene (the conversion).

#include <benchmark/benchmark.h>

#include <fstream>
#include <iostream>

#include "FltFileInput.h"
#include "FltParser.h"
#include "FltRecord.h"
#include "FltTestWriter.h"
#include "TestFiles.h"
#include "Veldra.h"
#include "convertFltFile.h"

namespace {

// A flat database: `faces` quads in a strip over a shared vertex palette of
// twice as many vertices (Arg 500000: a million vertices, half a million faces).
std::vector<uint8_t> makeDatabase(int faces)
{
    FltTestWriter w;
    w.header(1570);
    w.record(32).zeros(128 + 4096);
    const int vertices = faces * 2 + 2;
    w.record(67).u32(8 + 56 * vertices);
    for (int v = 0; v < vertices; ++v)
        w.record(69).u16(0).u16(0).f64(v).f64(v * 0.5).f64(0).f32(0).f32(0).f32(1).u32(0xFF808080).i32(-1).i32(0);
    w.pushLevel().group("g").pushLevel();
    w.record(4).text("o", 8).zeros(16).pushLevel();
    for (int f = 0; f < faces; ++f) {
        w.record(5).text("f", 8).padTo(80).pushLevel().record(72);
        for (int k = 0; k < 4; ++k)
            w.i32(8 + 56 * (f * 2 + k));
        w.popLevel();
    }
    w.popLevel().popLevel().popLevel();
    return w.bytes();
}

void BM_Parse(benchmark::State& state)
{
    ScratchDir dir;
    const std::string path = dir.write("bench.flt", makeDatabase(static_cast<int>(state.range(0))));
    std::ofstream sink("/dev/null");
    std::streambuf* saved = std::cout.rdbuf(sink.rdbuf());
    for (auto _ : state) {
        FltFileInput input(path.c_str());
        FltParser parser(&input);
        parser.parse();
        for (FltRecord* record : parser.getRecords())
            delete record;
    }
    std::cout.rdbuf(saved);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(readTextFile(path).size()));
}
BENCHMARK(BM_Parse)->Arg(1000)->Arg(20000)->Arg(500000)->Unit(benchmark::kMillisecond);

void BM_Convert(benchmark::State& state)
{
    ScratchDir dir;
    const std::string path = dir.write("bench.flt", makeDatabase(static_cast<int>(state.range(0))));
    std::ofstream sink("/dev/null");
    std::streambuf* saved = std::cout.rdbuf(sink.rdbuf());
    for (auto _ : state) {
        SoSeparator* root = convertFltFile(path.c_str());
        root->ref();
        root->unref();
    }
    std::cout.rdbuf(saved);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(readTextFile(path).size()));
}
BENCHMARK(BM_Convert)->Arg(1000)->Arg(20000)->Arg(500000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
