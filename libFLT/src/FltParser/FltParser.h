#pragma once

#include <cstdint>
#include <vector>

#include "FltObservable.h"
#include "FltWarningMessageConsole.h"

class FltCreationVisitor;
class FltRawData;
class FltInput;
class FltRecord;

// Cuts the byte image of an input into records, in file order, has the
// factory build one object per record and announces each to the observers.
// The record objects are not owned: whoever reads them destroys them with
// deleteRecords().
class FltParser : public FltRecordObservable, private FltWarningPlaceSource {
public:
    explicit FltParser(FltInput* input);
    virtual ~FltParser();
    FltParser(const FltParser&) = delete;
    FltParser& operator=(const FltParser&) = delete;

    // 0 when the image was parsed, 1 when it is not OpenFlight.
    int parse();

    void attach(FltRecordObserver* observer) override;
    void detach(FltRecordObserver* observer) override;
    void notify(FltRecord* record) override;

    FltInput* getInput() const { return input; }
    void setInput(FltInput* newInput) { input = newInput; }
    int32_t getRecordCount() const { return recordCount; }
    bool isParsed() const { return parsed; }
    void setCreationVisitor(FltCreationVisitor* visitor);
    // Without a transcript, the parse writes nothing to the standard output
    // (for reading records to write them again); with one by default.
    void setTranscript(bool on);
    FltCreationVisitor* getCreationVisitor() const { return creationVisitor; }
    std::vector<FltRecord*>& getRecords() { return records; }
    // Destroys every record object once and empties the list.
    void deleteRecords();

private:
    bool isOpenFlightInput() const;
    // Appends the Continuation records at `offset` to `raw`; returns the offset after them.
    static uint64_t joinContinuations(FltRawData& raw, const unsigned char* image, uint64_t offset, uint64_t size);
    void createRecord(const FltRawData& raw);
    void takeVersionFromHeader();
    // The record being cut, for the warnings raised meanwhile.
    FltWarningPlace currentPlace() const override;

    std::vector<FltRecord*> records;
    FltCreationVisitor* creationVisitor = nullptr;
    FltInput* input;
    bool parsed = false;
    bool transcript = true;
    int32_t recordCount = 0;
    int32_t currentOpcode = -1;
    int64_t currentOffset = -1;
    std::vector<FltRecordObserver*> observers;
};
