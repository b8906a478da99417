#pragma once

#include <cstdint>
#include <vector>

class SoLOD;

// Levels of detail in glTF terms. A level is shown from its switch-out
// (near) to its switch-in (far) distance.
namespace lod_sets {

struct LevelSet {
    std::vector<int> members;  // sibling numbers, finest first
    // The members share their ranges, which cannot choose among them: the
    // one with the most geometry comes first, the others are alternates.
    bool tied = false;
};

// Which sibling levels are one object seen at different distances: levels
// about one center (within a hundredth of their switch-in distance) whose
// ranges follow each other without overlapping, each set finest first.
// Siblings with overlapping ranges (tiles of a terrain, say) are shown
// together, and each is a set of its own. A level whose distances make no
// sense (not finite, negative, switch-in before switch-out) ends the set
// about its center. Siblings with the very same ranges that draw in one
// place (their boxes about one middle) are a tied set of their own, at most
// 64 of one range (more are tiles). Telling where siblings draw costs node visits,
// taken from visitsLeft; with none left, siblings are not tied.
std::vector<LevelSet> levelSets(const std::vector<const SoLOD*>& siblings, int64_t& visitsLeft);

// MSFT_screencoverage hints for a set, finest first, each in [0, 1]. Seen
// from distance d, a level's bounding sphere of radius r spans
// r / (d tan 30°) of the height of a view 60° high; a level is drawn while
// the eye is nearer than its switch-in distance, so its hint is that
// coverage at its switch-in distance. Hints never grow from one level to
// the next coarser one, as MSFT_lod expects. Levels whose distances make no
// sense are warned about and get 0: shown until the end.
// A tied set's levels all get the first one's hint, and no warning.
std::vector<double> screenCoverages(const std::vector<const SoLOD*>& levels, bool tied = false);

}  // namespace lod_sets
