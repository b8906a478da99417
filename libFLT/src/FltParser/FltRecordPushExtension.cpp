#include "FltRecordPushExtension.h"

int32_t FltRecordPushExtension::getOpcode() const { return 21; }

const char* FltRecordPushExtension::getTitle() const { return "\n PUSH EXTENSION RECORD "; }
