#pragma once

#include <string>

#include "DatabaseInfo.h"
#include "FltconvertOptions.h"

// fltconvert --info: each input's report, as text or (--json) as one JSON
// object per line; a refused input has its reason on the error stream.
std::string databaseReportText(const std::string& file, const DatabaseInfo& info);
std::string databaseReportJson(const std::string& file, const DatabaseInfo& info);

// Returns the exit status: 0, or 1 when an input was refused.
int reportDatabases(const FltconvertOptions& options);
