#include "FltRecordPopLevel.h"

int32_t FltRecordPopLevel::getOpcode() const { return 11; }

const char* FltRecordPopLevel::getTitle() const { return "\n POP LEVEL RECORD "; }
