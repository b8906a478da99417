#include "FltRecordInstanceDefinition.h"

int32_t FltRecordInstanceDefinition::getOpcode() const { return fltOpcode<FltRecordInstanceDefinition>; }

const char* FltRecordInstanceDefinition::getTitle() const { return "\n INSTANCE DEFINITION RECORD "; }
