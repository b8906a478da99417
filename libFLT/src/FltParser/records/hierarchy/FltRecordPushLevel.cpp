#include "FltRecordPushLevel.h"

int32_t FltRecordPushLevel::getOpcode() const { return fltOpcode<FltRecordPushLevel>; }

const char* FltRecordPushLevel::getTitle() const { return "\n PUSH LEVEL RECORD "; }
