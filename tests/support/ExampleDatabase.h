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
