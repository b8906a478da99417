#include "FltRecordInstanceReference.h"

int32_t FltRecordInstanceReference::getOpcode() const { return fltOpcode<FltRecordInstanceReference>; }

const char* FltRecordInstanceReference::getTitle() const { return "\n INSTANCE REFERENCE RECORD "; }
