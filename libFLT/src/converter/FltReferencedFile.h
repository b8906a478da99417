#pragma once

#include <cstddef>
#include <string>
#include <vector>

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

// Whether an external reference is followed. The conversion and fltconvert
// --info both ask here, so that they follow the same references and give
// up on the others for the same reasons.
enum class FltReferenceVerdict {
    Follow,
    Missing,  // no readable file of that name
    Cycle,    // the file is one of those being read
    TooDeep,  // the chain of references is at fltMaxReferenceDepth
    TooMany,  // fltMaxReferencedFiles have been read for the database
};

// `fileName`: where the reference's file is looked for (fltReferencedFileName);
// `chain`: the canonical names of the files being read, outermost first;
// `filesRead`: the referenced files read so far for the database. Checked
// in the order of the verdicts above.
FltReferenceVerdict fltJudgeReference(const std::string& fileName, const std::vector<std::string>& chain,
                                      int filesRead);

// Why a reference with that verdict is not followed ("" for Follow and Missing).
const char* fltReferenceNotFollowedReason(FltReferenceVerdict verdict);
