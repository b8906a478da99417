#pragma once

#include <string>
#include <vector>

// One database of a batch: a file named on the command line, one found in a
// folder named there, or a member of a zip archive.
struct BatchInput {
    std::string name;     // as the outputs name it: the path, or ZIP/MEMBER
    std::string path;     // what is converted: the file, or the name a member would have beside its zip
    std::string zipPath;  // the archive holding it; empty for a file
    std::string member;   // its name in the archive
    std::string mirrored; // its place below the folder it was found in (ZIP/MEMBER for members); empty when named directly
    std::string refusal;  // why it cannot be converted, known from the listing already
};

// The inputs that the command line's arguments stand for, and what could
// not be looked into on the way (one line each, without the program's name).
struct InputTree {
    std::vector<BatchInput> inputs;
    std::vector<std::string> problems;
};

// A folder stands for every .flt and .zip below it (in any letter case),
// followed through symbolic links but into each real folder once, in name
// order; a zip for the .flt files inside it; any other argument for itself.
InputTree expandInputs(const std::vector<std::string>& arguments);

bool hasExtension(const std::string& name, const char* lowerCaseExtension);
