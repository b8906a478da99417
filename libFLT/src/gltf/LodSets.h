#pragma once

#include <cstdint>
#include <vector>

class SoLOD;

// Levels of detail in glTF terms. A level is shown from its switch-out
// (near) to its switch-in (far) distance.
namespace lod_sets {

// Siblings of the very same ranges in one place cannot be told apart by
// distance: the one with the most geometry stands for them (chosen), the
// others follow it as its alternates.
enum class LevelRole { Plain, Chosen, Alternate };

struct LevelSet {
    std::vector<int> members;  // sibling numbers, finest first
    std::vector<LevelRole> roles;  // one per member
};

// Which sibling levels are one object seen at different distances: levels
// about one center (within a hundredth of their switch-in distance) whose
// ranges follow each other without overlapping, each set finest first.
// Siblings with overlapping ranges (tiles of a terrain, say) are shown
// together, and each is a set of its own. A level whose distances make no
// sense (not finite, negative, switch-in before switch-out) ends the set
// about its center. Siblings with the very same ranges that draw in one
// place (their boxes about one middle; at most 64 of one range, more are
// tiles) are tied: the chosen one takes its place in a set like any level,
// its alternates right after it. Telling where siblings draw costs node
// visits, taken from visitsLeft; with none left, siblings are not tied.
std::vector<LevelSet> levelSets(const std::vector<const SoLOD*>& siblings, int64_t& visitsLeft);

// MSFT_screencoverage hints for a set, finest first, each in [0, 1]. Seen
// from distance d, a level's bounding sphere of radius r spans
// r / (d tan 30°) of the height of a view 60° high; a level is drawn while
// the eye is nearer than its switch-in distance, so its hint is that
// coverage at its switch-in distance. Hints never grow from one level to
// the next coarser one, as MSFT_lod expects. Levels whose distances make no
// sense are warned about and get 0: shown until the end, but for tied ones,
// which the export warns about once. Alternates get their chosen level's
// hint.
std::vector<double> screenCoverages(const std::vector<const SoLOD*>& levels, const std::vector<LevelRole>& roles);

}  // namespace lod_sets
