#include "GltfTestSupport.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "GltfExport.h"
#include "Veldra.h"

namespace {

// Images stay as bytes: the tests look at them, not at pixels.
bool keepImageBytes(tinygltf::Image*, const int, std::string*, std::string*, int, int,
                    const unsigned char*, int, void*)
{
    return true;
}

const float* floatsOf(const tinygltf::Model& model, int accessorIndex)
{
    const tinygltf::Accessor& accessor = model.accessors[accessorIndex];
    const tinygltf::BufferView& view = model.bufferViews[accessor.bufferView];
    return reinterpret_cast<const float*>(model.buffers[view.buffer].data.data() + view.byteOffset +
                                          accessor.byteOffset);
}


// glTF node matrices are column-major for column vectors: the host's row order.
SbMatrix localMatrix(const tinygltf::Node& node)
{
    SbMatrix m;
    if (node.matrix.size() == 16)
        for (int i = 0; i < 16; ++i)
            m[i / 4][i % 4] = static_cast<float>(node.matrix[i]);
    return m;
}

} // namespace

uint32_t indexAt(const tinygltf::Model& model, int accessorIndex, std::size_t i)
{
    const void* data = floatsOf(model, accessorIndex);
    if (model.accessors[accessorIndex].componentType == TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT)
        return static_cast<const uint16_t*>(data)[i];
    return static_cast<const uint32_t*>(data)[i];
}

tinygltf::Model exportAndLoad(SoNode* root, const std::string& path, const std::string& textureDir)
{
    std::string error;
    tinygltf::Model model;
    if (!exportGltf(root, path, textureDir, error))
        return model;
    tinygltf::TinyGLTF loader;
    loader.SetImageLoader(&keepImageBytes, nullptr);
    std::string warning;
    const bool binary = path.size() > 4 && path.compare(path.size() - 4, 4, ".glb") == 0;
    if (binary)
        loader.LoadBinaryFromFile(&model, &error, &warning, path);
    else
        loader.LoadASCIIFromFile(&model, &error, &warning, path);
    return model;
}

SbBox3f drawnBounds(const tinygltf::Model& model)
{
    SbBox3f box;
    if (model.scenes.empty())
        return box;
    std::vector<std::pair<int, SbMatrix>> pending;
    for (int node : model.scenes[0].nodes)
        pending.push_back({node, SbMatrix()});
    while (!pending.empty()) {
        auto [index, parentMatrix] = pending.back();
        pending.pop_back();
        const tinygltf::Node& node = model.nodes[index];
        const SbMatrix world = localMatrix(node) * parentMatrix;
        for (int child : node.children)
            pending.push_back({child, world});
        if (node.mesh < 0)
            continue;
        for (const tinygltf::Primitive& primitive : model.meshes[node.mesh].primitives) {
            const float* positions = floatsOf(model, primitive.attributes.at("POSITION"));
            for (std::size_t i = 0; i < model.accessors[primitive.indices].count; ++i) {
                const float* p = positions + 3 * indexAt(model, primitive.indices, i);
                SbVec3f point;
                world.multVecMatrix(SbVec3f(p[0], p[1], p[2]), point);
                box.extendBy(point);
            }
        }
    }
    return box;
}

SbBox3f sceneBounds(SoNode* root)
{
    SoGetBoundingBoxAction action{SbViewportRegion()};
    action.apply(root);
    return action.getBoundingBox();
}

std::vector<std::string> nodeNames(const tinygltf::Model& model)
{
    std::vector<std::string> names;
    for (const tinygltf::Node& node : model.nodes)
        names.push_back(node.name);
    return names;
}

SbBox3f turnedYUp(const SbBox3f& box)
{
    if (box.isEmpty())
        return box;
    const SbVec3f& low = box.getMin();
    const SbVec3f& high = box.getMax();
    return SbBox3f(SbVec3f(low[0], low[2], -high[1]), SbVec3f(high[0], high[2], -low[1]));
}

bool boxInside(const SbBox3f& inner, const SbBox3f& outer)
{
    if (inner.isEmpty())
        return true;
    const float slack = 1e-5f * std::max(1.0f, (outer.getMax() - outer.getMin()).length());
    for (int c = 0; c < 3; ++c)
        if (inner.getMin()[c] < outer.getMin()[c] - slack || inner.getMax()[c] > outer.getMax()[c] + slack)
            return false;
    return true;
}

namespace {

// Every node the default scene places, each once per place.
template <class Visit>
void forEachPlacedNode(const tinygltf::Model& model, Visit visit)
{
    std::vector<int> pending = model.scenes.empty() ? std::vector<int>() : model.scenes[0].nodes;
    while (!pending.empty()) {
        const tinygltf::Node& node = model.nodes[pending.back()];
        pending.pop_back();
        pending.insert(pending.end(), node.children.begin(), node.children.end());
        visit(node);
    }
}

} // namespace

int drawCalls(const tinygltf::Model& model)
{
    int calls = 0;
    forEachPlacedNode(model, [&](const tinygltf::Node& node) {
        if (node.mesh >= 0)
            calls += static_cast<int>(model.meshes[node.mesh].primitives.size());
    });
    return calls;
}

int meshPlacements(const tinygltf::Model& model)
{
    int placements = 0;
    forEachPlacedNode(model, [&](const tinygltf::Node& node) { placements += node.mesh >= 0; });
    return placements;
}

std::vector<ValidatorReport> validatorReports(const std::vector<std::string>& files)
{
    namespace fs = std::filesystem;
    const fs::path viewer = FLT_VIEWER_DIR;
    if (!fs::exists(viewer / "node_modules" / "gltf-validator")) {
        // A check that cannot run must not pass: the test says so and skips.
        [] { GTEST_SKIP() << "the Khronos glTF validator is not installed (npm ci in viewer/)"; }();
        return {};
    }
    std::string command = "node '" + (viewer / "validate.mjs").string() + "'";
    for (const std::string& file : files)
        command += " '" + file + "'";
    std::vector<ValidatorReport> reports;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string output;
    char chunk[65536];
    for (std::size_t got; pipe && (got = fread(chunk, 1, sizeof chunk, pipe.get())) > 0;)
        output.append(chunk, got);
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        const nlohmann::json report = nlohmann::json::parse(line, nullptr, false);
        if (report.is_object() && report.contains("errors"))
            reports.push_back({report.value("errors", -1), report.value("warnings", -1), report.value("drawCalls", -1)});
    }
    // Every file reported on: a validator that fails to run is a failure.
    EXPECT_EQ(reports.size(), files.size()) << command << "\n" << output;
    return reports;
}

bool sameBox(const SbBox3f& a, const SbBox3f& b)
{
    if (a.isEmpty() || b.isEmpty())
        return a.isEmpty() == b.isEmpty();
    const float scale = std::max(1.0f, (a.getMax() - a.getMin()).length());
    return (a.getMin() - b.getMin()).length() <= 1e-5f * scale &&
           (a.getMax() - b.getMax()).length() <= 1e-5f * scale;
}
