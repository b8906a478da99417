#pragma once

class SoSeparator;

// Converts one OpenFlight file into a scene and writes its transcript to
// `fileName` + ".log" (or where FltLogPlacement.h says). Returns the root separator, or null for an empty name.
// A converted root carries one reference; a refused one carries none.
// With statistics requested (FltStatisticsRequest.h), the parse's record
// counts also go to `fileName` + ".stat".
SoSeparator* convertFltFile(const char* fileName);

// The same, telling whether the records were walked (false when the input
// was refused: unreadable, not OpenFlight, or a revision below 11).
SoSeparator* convertFltFile(const char* fileName, bool& converted);
