#pragma once

#include <vector>

class SoLOD;

// Screen-coverage hints for MSFT_lod from a set of levels' switch distances.
// A level is shown from its switch-out (near) to its switch-in (far)
// distance. Seen from distance d, a level's bounding sphere of radius r
// spans r / (d tan 30°) of the height of a view 60° high; a level is drawn
// while the eye is nearer than its switch-in distance, so its hint is that
// coverage at its switch-in distance. Hints never grow from one level to the
// next coarser one, as MSFT_lod expects.
namespace lod_coverage {

// Whether a is shown nearer to the eye than b: by switch-out distance, then
// switch-in distance; levels whose distances make no sense come last.
bool finerThan(const SoLOD& a, const SoLOD& b);

// One hint per level, finest first, each in [0, 1]. Levels whose distances
// make no sense (not finite, negative, switch-in before switch-out) are
// warned about and get 0: shown until a coarser level takes over.
std::vector<double> screenCoverages(const std::vector<const SoLOD*>& levels);

}  // namespace lod_coverage
