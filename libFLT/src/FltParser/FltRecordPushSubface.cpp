#include "FltRecordPushSubface.h"

int32_t FltRecordPushSubface::getOpcode() const { return 19; }

const char* FltRecordPushSubface::getTitle() const { return "\n PUSH SUBFACE RECORD "; }
