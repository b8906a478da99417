#pragma once

#include "FltconvertOptions.h"

// Loads the reader plug-in and converts each input in turn as the options
// say. Returns the exit status: 0 all converted, 1 one was not, 2 the
// plug-in or the scene output could not be had.
int convertInputs(const FltconvertOptions& options);
