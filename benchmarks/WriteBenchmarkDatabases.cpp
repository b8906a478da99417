// Writes the benchmark's databases into a folder, to convert by hand or to
// compare transcripts before and after a change:
//
//   flt_benchmark_databases DIR
//
// DIR/terrain-90 and DIR/terrain-360 (about 10 and 42 MB), DIR/hierarchy and
// DIR/references, each in a folder of its own. DIR must exist.

#include <filesystem>
#include <iostream>
#include <string>

#include "BenchmarkDatabases.h"

int main(int argc, char** argv)
{
    if (argc != 2 || !std::filesystem::is_directory(argv[1])) {
        std::cerr << "usage: flt_benchmark_databases DIR (an existing folder)\n";
        return 2;
    }
    const std::string dir = argv[1];
    auto folder = [&](const std::string& name) {
        const std::string path = dir + "/" + name;
        std::filesystem::create_directory(path);
        return path;
    };
    for (int objects : {90, 360})
        writeTerrain(folder("terrain-" + std::to_string(objects)), objects);
    writeHierarchy(folder("hierarchy"), 20000);
    writeReferences(folder("references"), 200);
    return 0;
}
