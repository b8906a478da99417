#pragma once

// Images that stand in for files of a given name. A caller holding a
// database in memory (a member of an archive) converts it under the name it
// would have on disk, so that its relative references and textures resolve
// where they would for the unpacked file, without ever writing it there.
// The bytes are borrowed: they must outlive every conversion that reads them,
// until the name is withdrawn. Process-wide, like the other settings.

#include <cstddef>
#include <string>

void provideFltMemoryFile(const std::string& name, const unsigned char* bytes, std::size_t size);
void withdrawFltMemoryFile(const std::string& name);

// The image provided for exactly this name, or false.
bool findFltMemoryFile(const std::string& name, const unsigned char*& bytes, std::size_t& size);
