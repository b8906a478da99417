#pragma once

// The databases the benchmark converts, written by the test writer. Each
// takes a scale: doubling it doubles the database.

#include <string>

// A terrain of `objects` strips of 500 quads each (1002 colour-normal-uv
// vertices a strip), ten objects to a level of detail, ten levels of detail
// to a group: scale 1000 gives a million vertices and half a million faces.
// Written as `dir`/terrain.flt; returns its path.
std::string writeTerrain(const std::string& dir, int objects);

// A tree of `groups` groups, ten children to a group, each a long
// identifier and a comment; then a chain of one group inside another, a
// hundredth as long. Returns the path of dir/hierarchy.flt.
std::string writeHierarchy(const std::string& dir, int groups);

// `files` small files (a few textured faces each), referenced from a top
// file in chains of ten. Returns the path of dir/references.flt.
std::string writeReferences(const std::string& dir, int files);
