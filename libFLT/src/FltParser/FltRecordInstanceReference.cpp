#include "FltRecordInstanceReference.h"

int32_t FltRecordInstanceReference::getOpcode() const { return 61; }

const char* FltRecordInstanceReference::getTitle() const { return "\n INSTANCE REFERENCE RECORD "; }
