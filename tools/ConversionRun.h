#pragma once

#include "FltconvertOptions.h"

// Loads the reader plug-in and converts each input the arguments stand for
// as the options say, in turn or in worker processes. Returns the exit
// status: 0 all converted, 1 one was not, 2 the plug-in or the scene output
// could not be had, or two inputs would write one file.
int convertInputs(const FltconvertOptions& options);
