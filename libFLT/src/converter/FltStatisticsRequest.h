#pragma once

// Whether the conversion entry also writes the statistics of every file it
// is given (the file's name + ".stat"). Off unless a caller asks for the
// whole process: the conversion itself never needs them.
void setFltStatisticsRequested(bool requested);
bool isFltStatisticsRequested();
