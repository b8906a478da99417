#include "FltRecordPopExtension.h"

int32_t FltRecordPopExtension::getOpcode() const { return fltOpcode<FltRecordPopExtension>; }

const char* FltRecordPopExtension::getTitle() const { return "\n POP EXTENSION RECORD "; }
