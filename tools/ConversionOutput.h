#pragma once

#include <string>
#include <vector>

#include "FltWarningMessageConsole.h"
#include "SceneSummary.h"

// What fltconvert prints about each input: its JSON line or its summary,
// and its warnings once more.

// `reason` is empty for a converted input.
std::string conversionJson(const std::string& file, const std::string& reason,
                           const std::vector<FltWarningMessage>& warnings, const SceneSummary& summary);

std::string humanSummary(const std::string& file, const SceneSummary& summary);

// Writes a line or a summary with one system call: processes converting
// side by side (xargs -P) share their output streams, and the lines of one
// must not land inside those of another.
void writeAtOnce(int fd, const std::string& text);

// After the file's warnings went by, those of `level` and up once more.
void repeatWarnings(const std::string& file, const std::vector<FltWarningMessage>& warnings, int level);
