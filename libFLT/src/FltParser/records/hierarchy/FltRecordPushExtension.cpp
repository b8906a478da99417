#include "FltRecordPushExtension.h"

int32_t FltRecordPushExtension::getOpcode() const { return fltOpcode<FltRecordPushExtension>; }

const char* FltRecordPushExtension::getTitle() const { return "\n PUSH EXTENSION RECORD "; }
