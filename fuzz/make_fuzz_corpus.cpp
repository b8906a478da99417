// Writes the fuzzer's seed corpus, one input per feature of the converter:
//   make_fuzz_corpus DIR
#include <iostream>
#include <string>
#include <vector>

#include "ExampleDatabase.h"
#include "FltTestWriter.h"
#include "FuzzInput.h"
#include "TestFiles.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes hierarchy()
{
    FltTestWriter w;
    w.header(1570, 0, 4).pushLevel().group("g").comment("a\r\nb").longId("long").translation(1, 2, 3);
    w.pushLevel().lod("l", 100, 0).pushLevel().dof("d").pushLevel().textNode("t").popLevel().popLevel();
    w.switchNode("s", 0, 2, 1, {0x5, 0x2}).pushLevel().group("a").group("b").popLevel();
    w.clipRegion("c", {1, 0, 1, 0, 1}, {{1, 0, 0, -1}}).pushLevel().group("in").popLevel();
    w.oldLod("o", 50, 0).pushLevel().popLevel();
    w.group("r").replicate(2).translation(1, 0, 0).translation(0, 1, 0);
    w.popLevel();
    w.instanceDefinition(1).pushLevel().group("i").popLevel().instanceReference(1).instanceReference(1);
    return w.popLevel().bytes();
}

Bytes geometry()
{
    FltTestWriter w;
    w.header(1570).colorPalette({0xFF804020, 0xFFFF0000}).material(0, "m", {0.2f, 0.2f, 0.2f}, {1, 1, 1});
    w.texturePattern("t.rgb", 1).vertexPalette();
    w.vertexColor(0, 0, 0).vertexColorNormal(1, 0, 0, {0, 0, 1}).vertexColorUv(0, 1, 0, {0, 1});
    w.vertexColorNormalUv(1, 1, 0, {0, 0, 1}, {1, 1}).vertexColorNormalUv(2, 1, 0, {0, 1, 0}, {1, 0});
    std::vector<int32_t> all;
    for (std::size_t i = 0; i < w.vertexCount(); ++i)
        all.push_back(w.vertexOffset(i));
    w.pushLevel().object("o", 100).pushLevel();
    w.face("f", FltFaceStyle().texture(1).material(0)).pushLevel().vertexList({all[2], all[3], all[4]}).popLevel();
    w.face("g", FltFaceStyle().withFlags(FltFaceStyle::packedColor)).pushLevel().vertexList(all).popLevel();
    w.pushSubface().face("s", FltFaceStyle().colorIndex(130)).pushLevel().vertexList({all[3], all[4], all[3]});
    w.popLevel().popSubface();
    w.face("m").pushLevel().morphVertexList({{all[0], all[1]}, {all[2], all[3]}}).popLevel();
    w.popLevel();
    w.face("free").pushLevel().vertexList({all[0], all[0], all[0]}).popLevel();
    return w.popLevel().bytes();
}

Bytes oldRevision()
{
    FltTestWriter w;
    w.header(12, 0, 0, -4).pushLevel().oldLod("l", 10, 0, {1, 2, 3}).pushLevel().object("o").pushLevel();
    w.face("f").pushLevel();
    for (int i = 0; i < 3; ++i)
        w.record(7).i32(i).i32(i).i32(0).f32(0).f32(0);
    return w.popLevel().popLevel().popLevel().popLevel().bytes();
}

// The extended record set's meshes: read only with the option that turns the set on.
Bytes meshes()
{
    FltTestWriter w;
    w.header(1610).vertexPalette().vertexColor(0, 0, 0).vertexColor(1, 0, 0).vertexColor(0, 1, 0);
    w.pushLevel().object("o").pushLevel();
    std::vector<FltLocalVertex> pool(6);
    for (std::size_t i = 0; i < pool.size(); ++i) {
        pool[i].position = {double(i / 2), double(i % 2), 0};
        pool[i].normal = {0, 0, 1};
        pool[i].uv[0] = {float(i), 0.5f};
    }
    const uint32_t mask = FltTestWriter::positionAttribute | FltTestWriter::normalAttribute |
                          FltTestWriter::baseUvAttribute | FltTestWriter::packedColorAttribute;
    w.mesh("m").localVertexPool(mask, pool).pushLevel();
    w.meshPrimitive(1, 4, {0, 1, 2, 3, 4, 5}).meshPrimitive(2, 2, {0, 1, 3, 5});
    w.meshPrimitive(3, 1, {0, 1, 2, 3, 4, 5}).meshPrimitive(4, 4, {5, 4, 2, 0, 1});
    return w.popLevel().popLevel().popLevel().bytes();
}

Bytes referencing(const std::vector<std::string>& paths)
{
    FltTestWriter w;
    w.header(1570).pushLevel();
    for (const std::string& path : paths)
        w.externalReference(path).translation(1, 0, 0);
    return w.popLevel().bytes();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_fuzz_corpus DIR" << std::endl;
        return 2;
    }
    const std::string dir = argv[1];
    const std::vector<std::pair<std::string, Bytes>> seeds = {
        {"example", buildExampleDatabase()},
        {"fountain", buildExampleFountain()},
        {"hierarchy", hierarchy()},
        {"geometry", geometry()},
        {"old-revision", oldRevision()},
        {"shared-references", joinFuzzInput({referencing({"b.flt", "./b.flt", "c.flt"}), geometry(), hierarchy()},
                                            true, kFuzzInfoReport)},
        {"meshes", joinFuzzInput({meshes()}, true, kFuzzExtendedRecords)},
        {"reference-cycle", joinFuzzInput({referencing({"b.flt"}), referencing({"c.flt"}), referencing({"a.flt"})},
                                          true, kFuzzInfoReport)},
    };
    bool ok = true;
    for (const auto& seed : seeds)
        ok = writeBinaryFile(dir + "/" + seed.first, seed.second) && ok;
    return ok ? 0 : 1;
}
