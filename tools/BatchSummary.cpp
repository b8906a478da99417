#include "BatchSummary.h"

#include <cstdio>

#include "JsonLine.h"

BatchSummary::BatchSummary() : started(std::chrono::steady_clock::now()) {}

void BatchSummary::add(const InputOutcome& outcome)
{
    ++inputs;
    converted += outcome.kind == InputOutcome::Kind::Converted;
    failed += outcome.kind == InputOutcome::Kind::Failed;
    refused += outcome.kind == InputOutcome::Kind::Refused;
    for (int level = 0; level < 3; ++level)
        warningsByLevel[level] += outcome.warningsByLevel[level];
    outputBytes += outcome.outputBytes;
}

double BatchSummary::seconds() const
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
}

std::string BatchSummary::text() const
{
    char wallTime[32];
    std::snprintf(wallTime, sizeof wallTime, "%.2f", seconds());
    return "batch: " + std::to_string(inputs) + " inputs: " + std::to_string(converted) + " converted, " +
           std::to_string(failed) + " failed, " + std::to_string(refused) + " refused\n" +
           "  warnings: " + std::to_string(warningsByLevel[0]) + " of level 1, " +
           std::to_string(warningsByLevel[1]) + " of level 2, " + std::to_string(warningsByLevel[2]) +
           " of level 3\n" + "  output: " + std::to_string(outputBytes) + " bytes\n" + "  wall time: " + wallTime +
           " s\n";
}

std::string BatchSummary::json() const
{
    OrderedJson batch;
    batch["inputs"] = inputs;
    batch["converted"] = converted;
    batch["failed"] = failed;
    batch["refused"] = refused;
    batch["warnings"] = {{"1", warningsByLevel[0]}, {"2", warningsByLevel[1]}, {"3", warningsByLevel[2]}};
    batch["output_bytes"] = outputBytes;
    batch["wall_seconds"] = static_cast<double>(static_cast<int64_t>(seconds() * 1000)) / 1000;
    OrderedJson line;
    line["batch"] = batch;
    return jsonLine(line) + "\n";
}
