#include "BenchmarkDatabases.h"

#include <vector>

#include "FltTestWriter.h"

namespace {

constexpr int quadsPerStrip = 500;

// One object: a strip of quads, one row of the terrain, over the two rows of
// vertices that start at vertex `first`.
void strip(FltTestWriter& w, int first)
{
    w.object("strip").pushLevel();
    for (int q = 0; q < quadsPerStrip; ++q) {
        const int a = first + 2 * q;
        w.face("q", FltFaceStyle().material(0).texture(0)).pushLevel();
        w.vertexList({w.vertexOffset(a), w.vertexOffset(a + 1), w.vertexOffset(a + 3), w.vertexOffset(a + 2)});
        w.popLevel();
    }
    w.popLevel();
}

} // namespace

std::string writeTerrain(const std::string& dir, int objects)
{
    FltTestWriter w;
    w.header(1570).colorPalette({0xFF808080}).material(0, "ground", {0.2f, 0.2f, 0.2f}, {0.8f, 0.8f, 0.8f});
    w.texturePattern("terrain.rgb", 0).vertexPalette();
    const int columns = quadsPerStrip + 1;
    for (int row = 0; row < objects; ++row)
        for (int c = 0; c < columns; ++c)
            for (int side = 0; side < 2; ++side) {
                const double y = row + side;
                w.vertexColorNormalUv(c, y, (c * 7 + row * 3) % 11 * 0.1, {0, 0, 1},
                                      {c / float(columns), float(y) / objects});
            }
    w.pushLevel().group("terrain").pushLevel();
    for (int row = 0; row < objects; ++row) {
        if (row % 100 == 0)
            w.group("block").pushLevel();
        if (row % 10 == 0)
            w.lod("lod", 5000, 0).pushLevel();
        strip(w, row * 2 * columns);
        if (row % 10 == 9 || row == objects - 1)
            w.popLevel();
        if (row % 100 == 99 || row == objects - 1)
            w.popLevel();
    }
    w.popLevel().popLevel();
    const std::string path = dir + "/terrain.flt";
    w.save(path);
    return path;
}

std::string writeHierarchy(const std::string& dir, int groups)
{
    FltTestWriter w;
    w.header(1570).pushLevel();
    // Breadth first would need the whole tree at once; depth first with a
    // counter of groups still to write keeps the writer simple.
    int remaining = groups;
    std::vector<int> openChildren; // children still to write, per open level
    w.group("top").longId("the whole tree").pushLevel();
    --remaining;
    openChildren.push_back(10);
    while (!openChildren.empty()) {
        if (openChildren.back() == 0 || remaining <= 0) {
            openChildren.pop_back();
            w.popLevel();
            continue;
        }
        --openChildren.back();
        --remaining;
        w.group("g").longId("group " + std::to_string(remaining)).comment("a benchmark group");
        if (openChildren.size() < 5) {
            w.pushLevel();
            openChildren.push_back(10);
        }
    }
    const int chain = groups / 100;
    for (int i = 0; i < chain; ++i)
        w.group("deep").pushLevel();
    for (int i = 0; i < chain; ++i)
        w.popLevel();
    w.popLevel();
    const std::string path = dir + "/hierarchy.flt";
    w.save(path);
    return path;
}

std::string writeReferences(const std::string& dir, int files)
{
    for (int f = 0; f < files; ++f) {
        FltTestWriter w;
        w.header(1570).texturePattern("tile.rgb", 0).vertexPalette();
        for (int v = 0; v < 16; ++v)
            w.vertexColorNormalUv(v % 4, v / 4, f, {0, 0, 1}, {v % 4 / 3.0f, v / 4 / 3.0f});
        w.pushLevel().object("tile").pushLevel();
        for (int q = 0; q < 9; ++q) {
            const int a = q % 3 + q / 3 * 4;
            w.face("q", FltFaceStyle().texture(0)).pushLevel();
            w.vertexList({w.vertexOffset(a), w.vertexOffset(a + 1), w.vertexOffset(a + 5), w.vertexOffset(a + 4)});
            w.popLevel();
        }
        w.popLevel();
        // Every tenth file starts a chain: it references the next nine in turn.
        if (f % 10 != 9 && f + 1 < files)
            w.externalReference("tile" + std::to_string(f + 1) + ".flt").translation(0, 0, 1);
        w.popLevel();
        w.save(dir + "/tile" + std::to_string(f) + ".flt");
    }
    FltTestWriter top;
    top.header(1570).pushLevel().group("town").pushLevel();
    for (int f = 0; f < files; f += 10)
        top.externalReference("tile" + std::to_string(f) + ".flt").translation(float(f), 0, 0);
    top.popLevel().popLevel();
    const std::string path = dir + "/references.flt";
    top.save(path);
    return path;
}
