#include "FltRecordPopSubface.h"

int32_t FltRecordPopSubface::getOpcode() const { return fltOpcode<FltRecordPopSubface>; }

const char* FltRecordPopSubface::getTitle() const { return "\n POP SUBFACE RECORD "; }
