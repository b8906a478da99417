#include "LodSets.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>

#include "FltWarningMessageConsole.h"
#include "Veldra.h"

namespace lod_sets {
namespace {

constexpr double kTanHalfViewAngle = 0.57735026918962576;  // tan 30°

double rangeEntry(const SoLOD& level, int i) {
    return level.range.getNum() > i ? static_cast<double>(level.range[i]) : 0.0;
}

double boundingRadius(const SoLOD& level) {
    SoGetBoundingBoxAction action{SbViewportRegion()};
    action.apply(const_cast<SoLOD*>(&level));
    const SbBox3f box = action.getBoundingBox();
    if (box.isEmpty()) return 0.0;
    const SbVec3f size = box.getMax() - box.getMin();
    const double radius = 0.5 * std::sqrt(double(size[0]) * size[0] + double(size[1]) * size[1] +
                                          double(size[2]) * size[2]);
    return std::isfinite(radius) ? radius : 0.0;
}

bool isSensible(double near, double far) {
    return std::isfinite(near) && std::isfinite(far) && near >= 0.0 && far > near;
}

// Whether a is shown nearer to the eye than b: by switch-out distance, then
// switch-in distance; levels whose distances make no sense come last.
bool finerThan(const SoLOD& a, const SoLOD& b) {
    const double nearA = rangeEntry(a, 0), farA = rangeEntry(a, 1);
    const double nearB = rangeEntry(b, 0), farB = rangeEntry(b, 1);
    const bool sensibleA = isSensible(nearA, farA), sensibleB = isSensible(nearB, farB);
    if (sensibleA != sensibleB) return sensibleA;
    return sensibleA && std::tie(nearA, farA) < std::tie(nearB, farB);
}

}  // namespace

std::vector<std::vector<int>> levelSets(const std::vector<const SoLOD*>& siblings) {
    std::vector<int> order(siblings.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return finerThan(*siblings[a], *siblings[b]); });

    std::vector<std::vector<int>> sets;
    for (int level : order) {
        const SoLOD& lod = *siblings[level];
        std::vector<int>* joined = nullptr;
        for (std::vector<int>& set : sets) {
            const SoLOD& last = *siblings[set.back()];
            const double lastFar = rangeEntry(last, 1);
            if (!isSensible(rangeEntry(last, 0), lastFar)) continue;  // the set has ended
            const SbVec3f offset = lod.center.getValue() - last.center.getValue();
            const bool sameCenter = offset.length() <= 0.01 * lastFar;
            const bool follows = !isSensible(rangeEntry(lod, 0), rangeEntry(lod, 1)) ||
                                 rangeEntry(lod, 0) >= lastFar * (1.0 - 1e-6);
            if (sameCenter && follows) {
                joined = &set;
                break;
            }
        }
        if (joined)
            joined->push_back(level);
        else
            sets.push_back({level});
    }
    return sets;
}

std::vector<double> screenCoverages(const std::vector<const SoLOD*>& levels) {
    std::vector<double> coverages;
    if (levels.empty()) return coverages;
    const double radius = boundingRadius(*levels.front());
    double previous = 1.0;
    for (const SoLOD* level : levels) {
        const double near = rangeEntry(*level, 0), far = rangeEntry(*level, 1);
        double coverage = 0.0;
        if (!isSensible(near, far)) {
            const std::string text = "glTF export: level of detail " + std::string(level->getName().getString()) +
                                     " switches in at " + std::to_string(far) + " and out at " +
                                     std::to_string(near) + ", which makes no sense; it is kept to the end";
            addWarning(text.c_str(), 1, true);
        } else if (radius > 0.0) {
            coverage = std::clamp(radius / (far * kTanHalfViewAngle), 0.0, 1.0);
        }
        coverage = std::min(coverage, previous);
        coverages.push_back(coverage);
        previous = coverage;
    }
    return coverages;
}

}  // namespace lod_sets
