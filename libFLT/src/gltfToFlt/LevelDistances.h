#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "DatabaseModel.h"

struct Box {
    std::array<double, 3> min{1e300, 1e300, 1e300};
    std::array<double, 3> max{-1e300, -1e300, -1e300};
    bool isEmpty() const { return min[0] > max[0]; }
    void extend(const std::array<double, 3>& p);
};

// The box of a node's geometry and its children's, in its parent's frame.
Box subtreeBox(const database_model::Model& model, int node);

// Switch distances of a set of `count` levels, finest first, from MSFT_lod
// screen coverages: seen from distance d, a sphere of radius r spans
// r / (d tan 30°) of a view 60° high, so a level with coverage c is shown
// nearer than r / (c tan 30°); one with coverage 0 (or none given, the last)
// to the end. Missing hints halve from level to level. The centre is the
// box's.
std::vector<database_model::Level> levelDistances(const Box& finest, const std::vector<double>& coverages,
                                                  std::size_t count);
