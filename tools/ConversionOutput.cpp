#include "ConversionOutput.h"

#include "FltWriteAll.h"

#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <sstream>

#include "FltDumpWriter.h"
#include "FltExtendedRecords.h"
#include "JsonLine.h"

namespace {

OrderedJson jsonPoint(const SbVec3f& point)
{
    return OrderedJson::array({point[0], point[1], point[2]});
}

std::string textPoint(const SbVec3f& point)
{
    return "(" + formatFltReal(point[0]) + " " + formatFltReal(point[1]) + " " +
           formatFltReal(point[2]) + ")";
}

// The warning and, where the conversion knew it, its record and the
// referenced file it was raised in.
OrderedJson warningJson(const FltWarningMessage& warning)
{
    OrderedJson item = {{"level", warning.level}, {"text", warning.text}};
    const FltWarningPlace& place = warning.place;
    if (place.opcode >= 0)
        item["opcode"] = place.opcode;
    if (!place.recordName.empty())
        item["record"] = place.recordName;
    if (place.offset >= 0)
        item["offset"] = place.offset;
    if (place.nested)
        item["referenced_file"] = place.file;
    return item;
}

} // namespace

std::string conversionJson(const ConversionResult& result, const SceneSummary& summary)
{
    OrderedJson line;
    line["file"] = result.file;
    line["converted"] = result.reason.empty();
    if (!result.reason.empty())
        line["reason"] = result.reason;
    if (result.failedOn)
        line["failed_on"] = result.failedOn;
    OrderedJson& warningList = line["warnings"] = OrderedJson::array();
    for (const FltWarningMessage& warning : result.warnings)
        warningList.push_back(warningJson(warning));
    OrderedJson& nodes = line["nodes"] = OrderedJson::object();
    for (const auto& entry : summary.nodesByType)
        nodes[entry.first] = entry.second;
    line["faces"] = summary.faces;
    line["vertices"] = summary.vertices;
    line["bbox"] = summary.boundingBox.isEmpty()
                       ? OrderedJson()
                       : OrderedJson::array({jsonPoint(summary.boundingBox.getMin()),
                                             jsonPoint(summary.boundingBox.getMax())});
    if (!result.gltfPath.empty())
        line["gltf"] = result.gltfPath;
    if (result.exported)
        line["missing_textures"] = result.missingTextures;
    if (result.reason.empty() && getFltExtendedRecordsMissed() > 0)
        line["extended_records"] = getFltExtendedRecordsMissed();
    return jsonLine(line);
}

std::string humanSummary(const ConversionResult& result, const SceneSummary& summary)
{
    std::ostringstream text;
    text << result.file << ": converted\n";
    text << "  nodes:";
    for (const auto& entry : summary.nodesByType)
        text << " " << entry.first << " " << entry.second;
    text << "\n  faces: " << summary.faces << "  vertices: " << summary.vertices << "\n";
    text << "  bounding box: ";
    if (summary.boundingBox.isEmpty()) {
        text << "empty\n";
    } else {
        text << textPoint(summary.boundingBox.getMin()) << " to "
             << textPoint(summary.boundingBox.getMax()) << "\n";
    }
    if (!result.missingTextures.empty()) {
        text << "  missing textures:";
        for (const std::string& name : result.missingTextures)
            text << " " << name;
        text << "\n";
    }
    if (getFltExtendedRecordsMissed() > 0)
        text << "  extended records: " << getFltExtendedRecordsMissed() << " not read (--extended reads them)\n";
    int64_t byLevel[3] = {};
    for (const FltWarningMessage& warning : result.warnings)
        if (warning.level >= 1 && warning.level <= 3)
            ++byLevel[warning.level - 1];
    text << "  warnings: " << byLevel[0] << " of level 1, " << byLevel[1] << " of level 2, " << byLevel[2]
         << " of level 3\n";
    return text.str();
}

void writeAtOnce(int fd, const std::string& text)
{
    std::cout.flush();
    fltWriteAll(fd, text.data(), text.size());
}

void repeatWarnings(const std::string& file, const std::vector<FltWarningMessage>& warnings, int level)
{
    std::size_t count = 0;
    for (const FltWarningMessage& warning : warnings)
        count += warning.level >= level;
    if (count == 0)
        return;
    std::cerr << "fltconvert: " + file + ": " + std::to_string(count) + (count == 1 ? " warning" : " warnings") +
                     " of level " + std::to_string(level) + " or above:\n";
    printWarnings(level);
}
