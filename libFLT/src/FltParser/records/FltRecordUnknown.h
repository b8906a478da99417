#pragma once

#include <vector>

#include "FltRecord.h"

// Any record whose opcode has no class of its own: kept with its body, no kind.
class FltRecordUnknown : public AbstractFltRecord {
public:
    FltRecordUnknown(int32_t opcode, uint32_t length) : AbstractFltRecord(length), opcode(opcode) {}

    int32_t getOpcode() const override { return opcode; }
    std::string getRecordType() const override { return recordType; }
    virtual void setRecordType(const std::string& type) { recordType = type; }
    void read(const unsigned char* data) override;

    const std::vector<unsigned char>& getBody() const { return body; }

protected:
    const char* getTitle() const override { return "\n UNKNOWN RECORD "; }
    // The body as read: written back, never dumped.
    void describe(FltFields& f) override { f.reservedBytes(body.data(), body.size()); }

private:
    int32_t opcode;
    std::string recordType;
    std::vector<unsigned char> body;
};
