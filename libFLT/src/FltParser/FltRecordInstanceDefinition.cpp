#include "FltRecordInstanceDefinition.h"

int32_t FltRecordInstanceDefinition::getOpcode() const { return 62; }

const char* FltRecordInstanceDefinition::getTitle() const { return "\n INSTANCE DEFINITION RECORD "; }
