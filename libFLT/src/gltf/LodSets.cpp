#include "LodSets.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <map>
#include <tuple>
#include <unordered_set>
#include <utility>

#include "FltWarningMessageConsole.h"
#include "Veldra.h"

namespace lod_sets {
namespace {

constexpr double kTanHalfViewAngle = 0.57735026918962576;  // tan 30°

double rangeEntry(const SoLOD& level, int i) {
    return level.range.getNum() > i ? static_cast<double>(level.range[i]) : 0.0;
}

SbBox3f boundingBox(const SoLOD& level, int64_t* visitsLeft = nullptr) {
    SoGetBoundingBoxAction action{SbViewportRegion()};
    action.apply(const_cast<SoLOD*>(&level));
    if (visitsLeft) *visitsLeft -= action.getVisitCount();
    return action.getBoundingBox();
}

double boundingRadius(const SoLOD& level) {
    const SbBox3f box = boundingBox(level);
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

// How much a level draws: the polygon corners below it, each face set
// counted once (a shared one is drawn once per place, but that does not
// tell one level from another).
int64_t geometryOf(const SoLOD& level) {
    int64_t corners = 0;
    int64_t visits = 0;
    std::vector<const SoNode*> pending{&level};
    std::unordered_set<const SoNode*> seen;
    while (!pending.empty() && ++visits < SoGetBoundingBoxAction::kMaxVisits) {
        const SoNode* node = pending.back();
        pending.pop_back();
        if (!node || !seen.insert(node).second) continue;
        if (node->isOfType(SoIndexedFaceSet::getClassTypeId())) {
            corners += static_cast<const SoIndexedFaceSet*>(node)->coordIndex.getNum();
        } else if (node->isOfType(SoGroup::getClassTypeId())) {
            const auto* group = static_cast<const SoGroup*>(node);
            for (int i = 0; i < group->getNumChildren(); ++i) pending.push_back(group->getChild(i));
        }
    }
    return corners;
}

// Whether two boxes hold one thing drawn twice rather than two things side
// by side (tiles of a terrain share their ranges, and often their centers):
// along each axis their middles lie within a tenth of the larger extent.
bool samePlace(const SbBox3f& a, const SbBox3f& b) {
    if (a.isEmpty() || b.isEmpty()) return false;  // a level that draws nothing hides nothing
    for (int axis = 0; axis < 3; ++axis) {
        const double extent = std::max(a.getMax()[axis] - a.getMin()[axis], b.getMax()[axis] - b.getMin()[axis]);
        const double middles = 0.5 * std::fabs((double(a.getMin()[axis]) + a.getMax()[axis]) -
                                               (double(b.getMin()[axis]) + b.getMax()[axis]));
        if (!(middles <= 0.1 * extent)) return false;
    }
    return true;
}

// More siblings of one range than this are tiles, not one thing many times.
constexpr std::size_t kMostTied = 64;

// Siblings of the same ranges in one place, each tie with the most geometry
// first; the others are left in `rest`, in their order.
std::vector<LevelSet> tiedSets(const std::vector<const SoLOD*>& siblings, std::vector<int>& rest,
                               int64_t& visitsLeft) {
    std::map<std::pair<double, double>, std::vector<int>> byRanges;
    for (std::size_t i = 0; i < siblings.size(); ++i)
        byRanges[{rangeEntry(*siblings[i], 0), rangeEntry(*siblings[i], 1)}].push_back(static_cast<int>(i));
    std::vector<bool> tied(siblings.size(), false);
    std::vector<LevelSet> sets;
    for (const auto& entry : byRanges) {
        const std::vector<int>& members = entry.second;
        if (members.size() < 2 || members.size() > kMostTied || visitsLeft <= 0) continue;
        std::vector<SbBox3f> boxes;
        for (int member : members) boxes.push_back(boundingBox(*siblings[member], &visitsLeft));
        for (std::size_t first = 0; first < members.size(); ++first) {
            if (tied[members[first]]) continue;
            LevelSet set;
            set.members.push_back(members[first]);
            for (std::size_t other = first + 1; other < members.size(); ++other)
                if (!tied[members[other]] && samePlace(boxes[first], boxes[other])) {
                    tied[members[other]] = true;
                    set.members.push_back(members[other]);
                }
            if (set.members.size() < 2) continue;
            tied[members[first]] = true;
            std::vector<std::pair<int64_t, int>> byGeometry;
            for (int member : set.members) byGeometry.emplace_back(-geometryOf(*siblings[member]), member);
            std::stable_sort(byGeometry.begin(), byGeometry.end());
            for (std::size_t i = 0; i < byGeometry.size(); ++i) set.members[i] = byGeometry[i].second;
            sets.push_back(std::move(set));
        }
    }
    for (std::size_t i = 0; i < siblings.size(); ++i)
        if (!tied[i]) rest.push_back(static_cast<int>(i));
    return sets;
}

}  // namespace

std::vector<LevelSet> levelSets(const std::vector<const SoLOD*>& siblings, int64_t& visitsLeft) {
    std::vector<int> order;
    const std::vector<LevelSet> ties = tiedSets(siblings, order, visitsLeft);
    std::map<int, const LevelSet*> tieOf;  // by its chosen level
    for (const LevelSet& tie : ties) {
        order.push_back(tie.members.front());
        tieOf[tie.members.front()] = &tie;
    }
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
    std::vector<LevelSet> result;
    for (const std::vector<int>& members : sets) {
        LevelSet set;
        for (int level : members) {
            const auto tie = tieOf.find(level);
            if (tie == tieOf.end()) {
                set.members.push_back(level);
                set.roles.push_back(LevelRole::Plain);
                continue;
            }
            set.members.insert(set.members.end(), tie->second->members.begin(), tie->second->members.end());
            set.roles.push_back(LevelRole::Chosen);
            set.roles.resize(set.members.size(), LevelRole::Alternate);
        }
        result.push_back(std::move(set));
    }
    return result;
}

std::vector<double> screenCoverages(const std::vector<const SoLOD*>& levels, const std::vector<LevelRole>& roles) {
    std::vector<double> coverages;
    if (levels.empty()) return coverages;
    const double radius = boundingRadius(*levels.front());
    double previous = 1.0;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const SoLOD* level = levels[i];
        const LevelRole role = i < roles.size() ? roles[i] : LevelRole::Plain;
        const double near = rangeEntry(*level, 0), far = rangeEntry(*level, 1);
        double coverage = 0.0;
        if (role == LevelRole::Alternate) {
            coverage = previous;
        } else if (!isSensible(near, far)) {
            if (role == LevelRole::Plain) {
                const std::string text = "glTF export: level of detail " + std::string(level->getName().getString()) +
                                         " switches in at " + std::to_string(far) + " and out at " +
                                         std::to_string(near) + ", which makes no sense; it is kept to the end";
                addWarning(text.c_str(), 1, true);
            }
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
