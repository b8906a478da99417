#include "FltRecordPushLevel.h"

int32_t FltRecordPushLevel::getOpcode() const { return 10; }

const char* FltRecordPushLevel::getTitle() const { return "\n PUSH LEVEL RECORD "; }
