// A glTF model of 100,000 triangles (a grid, with normals and texture
// coordinates) written as an OpenFlight database, timed against the parse
// of that database and the re-encoding of its records.

#include <benchmark/benchmark.h>

#include <tiny_gltf.h>

#include <chrono>
#include <sstream>
#include <vector>

#include "FltFromGltf.h"
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

template <class T>
int addAccessor(tinygltf::Model& model, const std::vector<T>& values, int componentType, int type, std::size_t count)
{
    std::vector<unsigned char>& data = model.buffers[0].data;
    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = data.size();
    view.byteLength = values.size() * sizeof(T);
    const auto* bytes = reinterpret_cast<const unsigned char*>(values.data());
    data.insert(data.end(), bytes, bytes + view.byteLength);
    model.bufferViews.push_back(view);
    tinygltf::Accessor accessor;
    accessor.bufferView = static_cast<int>(model.bufferViews.size()) - 1;
    accessor.componentType = componentType;
    accessor.type = type;
    accessor.count = count;
    model.accessors.push_back(accessor);
    return static_cast<int>(model.accessors.size()) - 1;
}

// A grid of side x side quads, two triangles each, as a .glb file's bytes.
std::vector<unsigned char> gridModel(int side)
{
    tinygltf::Model model;
    model.asset.version = "2.0";
    model.buffers.resize(1);
    std::vector<float> positions, normals, uvs;
    for (int y = 0; y <= side; ++y)
        for (int x = 0; x <= side; ++x) {
            positions.insert(positions.end(), {float(x), 0.1f * float((x * y) % 7), float(y)});
            normals.insert(normals.end(), {0, 1, 0});
            uvs.insert(uvs.end(), {float(x) / side, float(y) / side});
        }
    std::vector<uint32_t> indices;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const uint32_t a = y * (side + 1) + x, b = a + 1, c = a + side + 1, d = c + 1;
            indices.insert(indices.end(), {a, c, b, b, c, d});
        }
    const std::size_t vertices = positions.size() / 3;
    tinygltf::Primitive primitive;
    primitive.attributes["POSITION"] = addAccessor(model, positions, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3, vertices);
    primitive.attributes["NORMAL"] = addAccessor(model, normals, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3, vertices);
    primitive.attributes["TEXCOORD_0"] = addAccessor(model, uvs, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC2, vertices);
    primitive.indices = addAccessor(model, indices, TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT, TINYGLTF_TYPE_SCALAR, indices.size());
    primitive.mode = TINYGLTF_MODE_TRIANGLES;
    tinygltf::Mesh mesh;
    mesh.name = "grid";
    mesh.primitives.push_back(primitive);
    model.meshes.push_back(mesh);
    tinygltf::Node node;
    node.name = "terrain";
    node.mesh = 0;
    model.nodes.push_back(node);
    tinygltf::Scene scene;
    scene.nodes = {0};
    model.scenes.push_back(scene);
    model.defaultScene = 0;
    std::ostringstream out;
    tinygltf::TinyGLTF writer;
    writer.WriteGltfSceneToStream(&model, out, false, true);
    const std::string bytes = out.str();
    return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

void BM_GltfToFlt(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    const std::vector<unsigned char> glb = gridModel(side);
    ScratchDir dir;
    double writeSeconds = 0, parseSeconds = 0, reencodeSeconds = 0;
    std::size_t databaseBytes = 0;
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        const FltFromGltf written = fltFromGltf(glb, "", "grid_", FltWriteOptions());
        writeFltBytes(dir.file("grid.flt"), written.database);
        const double writing = since(start);
        writeSeconds += writing;
        state.SetIterationTime(writing);
        databaseBytes = written.database.size();

        FltMemoryInput input(written.database.data(), written.database.size(), "grid.flt");
        FltParser parser(&input);
        parser.setTranscript(false);
        start = Clock::now();
        parser.parse();
        parseSeconds += since(start);
        start = Clock::now();
        const std::vector<unsigned char> again = encodeFltRecords(parser.getRecords());
        reencodeSeconds += since(start);
        parser.deleteRecords();
        if (again != written.database)
            state.SkipWithError("the written database did not re-encode to its own bytes");
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["triangles"] = 2.0 * side * side;
    state.counters["database_MB"] = static_cast<double>(databaseBytes) / 1e6;
    state.counters["write_ms"] = writeSeconds / runs * 1e3;
    state.counters["parse_ms"] = parseSeconds / runs * 1e3;
    state.counters["reencode_ms"] = reencodeSeconds / runs * 1e3;
    state.counters["write_x_parse"] = writeSeconds / parseSeconds;
    state.counters["reencode_x_parse"] = reencodeSeconds / parseSeconds;
}
// 224 x 224 quads: 100,352 triangles.
BENCHMARK(BM_GltfToFlt)->Arg(224)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
