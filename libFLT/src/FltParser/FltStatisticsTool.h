#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class FltRecord;

// Counts the records of a parse by opcode into a small text file: a heading
// naming the OpenFlight file, then one " \n Opcode <n>:  <count> " entry per
// opcode in ascending order, without a final line break.
class FltStatisticsTool {
public:
    FltStatisticsTool() = default;
    virtual ~FltStatisticsTool() = default;
    FltStatisticsTool(const FltStatisticsTool&) = delete;
    FltStatisticsTool& operator=(const FltStatisticsTool&) = delete;

    // The list is not owned and must outlive write().
    void setRecords(const std::vector<FltRecord*>* recordList) { records = recordList; }
    void setFltFileName(const char* name) { fltFileName = name ? name : ""; }
    void setStatFileName(const char* name) { statFileName = name ? name : ""; }

    // Creates the statistics file empty (an existing one is truncated);
    // false when it cannot be created.
    bool createStatFile() const;
    // Appends the counts to the statistics file, after the heading when the
    // file is empty. Does nothing when the file cannot be opened.
    void write();

private:
    const std::vector<FltRecord*>* records = nullptr;
    std::map<int32_t, int32_t> counts;
    std::string fltFileName;
    std::string statFileName;
};
