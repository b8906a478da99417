#include "FltRecordPopExtension.h"

int32_t FltRecordPopExtension::getOpcode() const { return 22; }

const char* FltRecordPopExtension::getTitle() const { return "\n POP EXTENSION RECORD "; }
