#pragma once

#include <cstdint>

#include "FltVersion.h"

class FltDumpQueue;
class FltRecord;
class FltRawData;

// Turns one raw record into a typed record object; carries the file's
// revision and packed-colour mode, taken from its Header.
class FltCreationVisitor : public FltVersion {
public:
    virtual void create(FltRecord*& record, const FltRawData* raw) = 0;
    virtual ~FltCreationVisitor() = default;

    // Where the dumps go: straight to the standard output (null), or through
    // a queue that writes them there on a second thread.
    void setDumpQueue(FltDumpQueue* queue) { dumpQueue = queue; }
    // Whether records are dumped at all (they are unless turned off).
    void setDumping(bool on) { dumping = on; }

    // Whether this factory reads the extended record set (whose long records
    // go on in Continuation records).
    virtual bool readsExtendedRecords() const { return false; }

    // Records of the extended record set this parse met with the set off.
    int64_t getExtendedRecordsMissed() const { return extendedRecordsMissed; }

protected:
    FltDumpQueue* dumpQueue = nullptr;
    bool dumping = true;
    int64_t extendedRecordsMissed = 0;
};
