#include "LevelDistances.h"

#include <algorithm>
#include <cmath>

#include "ZUpMatrix.h"

using namespace database_model;

void Box::extend(const std::array<double, 3>& p) {
    for (int i = 0; i < 3; ++i) {
        min[i] = std::min(min[i], p[i]);
        max[i] = std::max(max[i], p[i]);
    }
}

Box subtreeBox(const Model& model, int root) {
    Box box;
    struct Pending { int node; Matrix toParent; };
    std::vector<Pending> stack{{root, identityMatrix()}};
    while (!stack.empty()) {
        const Pending pending = stack.back();
        stack.pop_back();
        const Node& node = model.nodes[pending.node];
        const Matrix toRoot = node.hasMatrix ? multiplyRows(node.matrix, pending.toParent) : pending.toParent;
        if (node.mesh >= 0)
            for (const Face& face : model.meshes[node.mesh].faces)
                for (uint32_t v : face.vertices) box.extend(transformPoint(toRoot, model.vertices[v].position));
        for (int child : node.children) stack.push_back({child, toRoot});
    }
    return box;
}

std::vector<Level> levelDistances(const Box& finest, const std::vector<double>& coverages, std::size_t count) {
    constexpr double kTanHalfViewAngle = 0.57735026918962576;  // tan 30°
    constexpr double kFarthest = 1e9;
    double radius = 0;
    std::array<double, 3> center{};
    if (!finest.isEmpty()) {
        double squared = 0;
        for (int i = 0; i < 3; ++i) {
            center[i] = 0.5 * (finest.min[i] + finest.max[i]);
            squared += (finest.max[i] - finest.min[i]) * (finest.max[i] - finest.min[i]);
        }
        radius = 0.5 * std::sqrt(squared);
    }
    if (!(radius > 0) || !std::isfinite(radius)) radius = 1;

    std::vector<Level> levels(count);
    double near = 0, hint = 0.5;
    for (std::size_t i = 0; i < count; ++i) {
        double coverage = i < coverages.size() ? coverages[i] : (i + 1 < count ? hint : 0.0);
        if (!std::isfinite(coverage)) coverage = 0;
        hint = (coverage > 0 ? coverage : hint) / 2;
        double far = coverage > 0 ? radius / (std::min(coverage, 1.0) * kTanHalfViewAngle) : kFarthest;
        far = std::clamp(far, near + 1e-6 * (1 + near), kFarthest * 10);
        levels[i].switchOut = near;
        levels[i].switchIn = far;
        levels[i].center = center;
        near = far;
    }
    return levels;
}
