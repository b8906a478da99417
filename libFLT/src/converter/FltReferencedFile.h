#pragma once

#include <cstddef>
#include <string>

// How far references are followed: the depth of a chain of references, and
// the files read for one database in all.
constexpr std::size_t fltMaxReferenceDepth = 32;
constexpr int fltMaxReferencedFiles = 4096;

// An external reference's stored name relative to its database's folder: a
// leading "./" or ".\" dropped.
std::string fltReferenceRelativeName(const std::string& storedName);

// Where an external reference's file is looked for: its relative name in
// the referencing database's folder, with backslashes read as slashes. The conversion and fltconvert --info both
// follow references this way, so they agree on what is found.
std::string fltReferencedFileName(const char* directory, const std::string& storedName);

// The name that identifies a file whichever way it is reached (cycles are
// found by it).
std::string fltCanonicalFileName(const std::string& name);
