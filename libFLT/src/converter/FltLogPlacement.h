#pragma once

// Where the conversion entry writes the transcript of each file it is given.
// By default beside the file (its name + ".log"), as it always was; a host
// converting a read-only tree, or many files at once, puts the transcripts
// in a folder of its choosing or drops them. Process-wide, like the other
// settings: set it before converting.

#include <string>

// An empty folder puts each transcript beside its input again.
void setFltLogFolder(const std::string& folder);
// False: no transcript at all (the records are still read and converted).
void setFltLogWritten(bool written);

// The transcript's file name for the input `fileName`: beside it, or the
// input's own name + ".log" in the folder. Empty when none is written.
std::string fltLogPathFor(const std::string& fileName);
