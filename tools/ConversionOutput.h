#pragma once

#include <string>
#include <vector>

#include "FltWarningMessageConsole.h"
#include "SceneSummary.h"

// What fltconvert prints about each input: its JSON line or its summary,
// and its warnings once more.

// How the conversion of one input went.
struct ConversionResult {
    std::string file;
    std::string reason; // empty for a converted input
    int failedOn = 0;   // with --fail-on: the highest warning level met, when it reaches the option's
    std::vector<FltWarningMessage> warnings;
    std::string gltfPath; // the glTF file written with --gltf-dir
    bool exported = false; // a glTF export was made (--gltf, --gltf-dir, --view)
    std::vector<std::string> missingTextures; // the texture names the export found nowhere
};

std::string conversionJson(const ConversionResult& result, const SceneSummary& summary);

// Ends with the warnings counted by level.
std::string humanSummary(const ConversionResult& result, const SceneSummary& summary);

// Writes a line or a summary with one system call: processes converting
// side by side (xargs -P) share their output streams, and the lines of one
// must not land inside those of another.
void writeAtOnce(int fd, const std::string& text);

// After the file's warnings went by, those of `level` and up once more.
void repeatWarnings(const std::string& file, const std::vector<FltWarningMessage>& warnings, int level);
