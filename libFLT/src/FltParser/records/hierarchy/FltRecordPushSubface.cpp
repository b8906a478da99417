#include "FltRecordPushSubface.h"

int32_t FltRecordPushSubface::getOpcode() const { return fltOpcode<FltRecordPushSubface>; }

const char* FltRecordPushSubface::getTitle() const { return "\n PUSH SUBFACE RECORD "; }
