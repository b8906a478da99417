#include "FltStatisticsTool.h"

#include <cstdio>

#include "FltRecord.h"

bool FltStatisticsTool::createStatFile() const
{
    FILE* created = std::fopen(statFileName.c_str(), "w");
    if (!created)
        return false;
    std::fclose(created);
    return true;
}

void FltStatisticsTool::write()
{
    FILE* outFlow = std::fopen(statFileName.c_str(), "a");
    if (!outFlow)
        return;
    std::fseek(outFlow, 0, SEEK_END);
    const long size = std::ftell(outFlow);
    std::rewind(outFlow);
    if (size == 0)
        std::fprintf(outFlow, "#Openflight Statistics File\n\n\n************************\n%s\n", fltFileName.c_str());

    counts.clear();
    if (records)
        for (const FltRecord* record : *records)
            if (record)
                ++counts[record->getOpcode()];
    for (const auto& entry : counts)
        std::fprintf(outFlow, " \n Opcode %d:  %d ", static_cast<int>(entry.first), static_cast<int>(entry.second));
    std::fclose(outFlow);
}
