#ifndef FLT_EXAMPLE_DATABASE_H
#define FLT_EXAMPLE_DATABASE_H

#include <cstdint>
#include <vector>

// The README's example: a small town square (ground, a house with a roof
// under a level of detail, two lamp posts under a switch), revision 15.7.
std::vector<uint8_t> buildExampleDatabase();

#endif
