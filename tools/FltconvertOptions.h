#pragma once

#include <string>
#include <vector>

// What fltconvert was asked to do.
struct FltconvertOptions {
    bool help = false;
    bool version = false;
    bool quiet = false;
    bool json = false;
    bool statistics = false;
    bool extended = false;  // also read meshes (the extended record set): by default for exports and --info
    std::string records;    // as given by --records: "base", "extended" or empty
    int warningsLevel = 0;  // 0: warnings are not repeated
    int failOnLevel = 0;    // 0: warnings never fail an input
    std::string sceneOut;   // empty: no scene; "-": standard output
    std::string pluginPath; // empty: the plug-in that came with the program
    std::string gltfOut;    // empty: no glTF export
    std::string gltfDir;    // empty: no glTF export of each input
    bool view = false;
    bool info = false;      // report on each input instead of converting it
    std::string fltOut;     // empty: no database written; else the one input written as OpenFlight
    std::string textureFormat; // with --flt, the texture files: png (also when empty) or rgb
    std::vector<std::string> texturePaths; // where textures are looked for, after the input's folder
    double progressDelay = 1; // seconds
    int jobs = 1;           // worker processes; 0: one per core
    std::string logDir;     // empty: each transcript beside its input
    bool noLog = false;     // no transcript at all
    std::vector<std::string> files; // files, folders of them, zip archives of them
};

extern const char* const fltconvertUsage;
extern const char* const fltconvertHelp;

// Reads the arguments and the environment. Returns what makes no sense in
// them as one line, or an empty string when they are good.
std::string parseFltconvertOptions(int argc, char** argv, FltconvertOptions& options);
