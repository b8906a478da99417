#ifndef FLT_RECORDS_H
#define FLT_RECORDS_H

// Every record class, for the factory and the converter.

#include "FltRecordGroup.h"
#include "FltRecordHeader.h"
#include "FltRecordUnknown.h"

#endif
