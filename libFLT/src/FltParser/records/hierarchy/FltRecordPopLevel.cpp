#include "FltRecordPopLevel.h"

int32_t FltRecordPopLevel::getOpcode() const { return fltOpcode<FltRecordPopLevel>; }

const char* FltRecordPopLevel::getTitle() const { return "\n POP LEVEL RECORD "; }
