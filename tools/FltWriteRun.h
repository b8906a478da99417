#pragma once

#include "FltconvertOptions.h"

// --flt: writes the one input as an OpenFlight database. Returns the exit
// status: 0 written, 1 not (the reason on the error stream, nothing left behind).
int writeFltDatabase(const FltconvertOptions& options);
