#include "FltRecordPopSubface.h"

int32_t FltRecordPopSubface::getOpcode() const { return 20; }

const char* FltRecordPopSubface::getTitle() const { return "\n POP SUBFACE RECORD "; }
