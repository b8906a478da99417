#include "FltExtendedRecords.h"

#include <atomic>

namespace {
std::atomic<bool> extendedRecords{false};
// Conversions take turns on their own thread: a thread's count is its last conversion's.
thread_local int64_t recordsMissed = 0;
}

void setFltExtendedRecords(bool on) { extendedRecords = on; }

bool isFltExtendedRecords() { return extendedRecords; }

int64_t getFltExtendedRecordsMissed() { return recordsMissed; }

void resetFltExtendedRecordsMissed() { recordsMissed = 0; }

void addFltExtendedRecordsMissed(int64_t records) { recordsMissed += records; }
