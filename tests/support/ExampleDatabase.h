#pragma once

#include <cstdint>
#include <vector>

// The README's example, revision 15.7: a small town square (textured ground,
// a house with a door and a roof under a level of detail, two lamp posts
// under a switch, a bench shared by two instance references) that places
// the fountain of a second file through an external reference.
std::vector<uint8_t> buildExampleDatabase();

// The file the town square references as "fountain.flt": a basin with water.
std::vector<uint8_t> buildExampleFountain();

// Not shipped: a tower at two levels of detail about one center (walls and a
// roof up to 100 units away, a block as high from there to 1000), for the
// viewer's test of choosing a level.
std::vector<uint8_t> buildLevelsOfDetailExample();
