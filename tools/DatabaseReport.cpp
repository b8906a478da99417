#include "DatabaseReport.h"

#include <unistd.h>

#include <iostream>
#include <memory>
#include <sstream>

#include "ConversionOutput.h"
#include "FltExtendedRecords.h"
#include "FltDumpWriter.h"
#include "InputTree.h"
#include "JsonLine.h"
#include "ZipInput.h"

namespace {

// Bits after the last one set say nothing: "0" for a mask of none.
std::string shownMask(const std::string& bits)
{
    const std::string::size_type last = bits.find_last_of('1');
    return last == std::string::npos ? "0" : bits.substr(0, last + 1);
}

std::string place(double latitude, double longitude)
{
    return "latitude " + formatFltReal(latitude) + " longitude " + formatFltReal(longitude);
}

void writeReferences(std::ostream& text, const std::vector<DatabaseInfo::Reference>& references, int depth)
{
    for (const DatabaseInfo::Reference& reference : references) {
        text << std::string(static_cast<std::size_t>(2 * depth), ' ') << reference.name << " ("
             << referenceStateName(reference.state) << (reference.reason.empty() ? "" : ": " + reference.reason)
             << ")\n";
        writeReferences(text, reference.references, depth + 1);
    }
}

OrderedJson placeJson(double latitude, double longitude)
{
    return {{"latitude", latitude}, {"longitude", longitude}};
}

OrderedJson referencesJson(const std::vector<DatabaseInfo::Reference>& references)
{
    OrderedJson list = OrderedJson::array();
    for (const DatabaseInfo::Reference& reference : references) {
        OrderedJson item = {{"name", reference.name}, {"state", referenceStateName(reference.state)}};
        if (!reference.reason.empty())
            item["reason"] = reference.reason;
        item["references"] = referencesJson(reference.references);
        list.push_back(std::move(item));
    }
    return list;
}

} // namespace

std::string databaseReportText(const std::string& file, const DatabaseInfo& info)
{
    std::ostringstream text;
    text << file << ": format revision " << info.revision << ", units " << unitsName(info.unitsCode) << "\n";
    text << "  origin: " << place(info.originLatitude, info.originLongitude) << "\n";
    text << "  south-west corner: " << place(info.southWestLatitude, info.southWestLongitude) << "\n";
    text << "  north-east corner: " << place(info.northEastLatitude, info.northEastLongitude) << "\n";
    text << "  records:";
    for (const auto& entry : info.recordsByKind)
        text << (&entry == &*info.recordsByKind.begin() ? " " : ", ") << entry.first << " " << entry.second;
    text << "\n  levels of detail: " << info.levelsOfDetail.size() << "\n";
    for (const DatabaseInfo::LevelOfDetail& lod : info.levelsOfDetail)
        text << "    " << lod.name << ": switch in " << formatFltReal(lod.switchIn) << ", switch out "
             << formatFltReal(lod.switchOut) << "\n";
    text << "  switches: " << info.switches.size() << "\n";
    for (const DatabaseInfo::Switch& switchNode : info.switches) {
        text << "    " << switchNode.name << ": current mask " << switchNode.currentMask << ", masks";
        for (const std::string& mask : switchNode.masks)
            text << " " << shownMask(mask);
        text << "\n";
    }
    text << "  textures: " << info.textures.size() << "\n";
    for (const DatabaseInfo::Texture& texture : info.textures)
        text << "    " << texture.index << " " << texture.name << " ("
             << (texture.path.empty() ? "missing" : "found: " + texture.path) << ")\n";
    text << "  external references: " << info.references.size() << "\n";
    writeReferences(text, info.references, 2);
    return text.str();
}

std::string databaseReportJson(const std::string& file, const DatabaseInfo& info)
{
    OrderedJson report;
    report["file"] = file;
    if (!info.refusal.empty()) {
        report["reason"] = info.refusal;
        return jsonLine(report);
    }
    report["revision"] = info.revision;
    report["units"] = unitsName(info.unitsCode);
    report["origin"] = placeJson(info.originLatitude, info.originLongitude);
    report["south_west_corner"] = placeJson(info.southWestLatitude, info.southWestLongitude);
    report["north_east_corner"] = placeJson(info.northEastLatitude, info.northEastLongitude);
    OrderedJson& records = report["records"] = OrderedJson::object();
    for (const auto& entry : info.recordsByKind)
        records[entry.first] = entry.second;
    OrderedJson& lods = report["levels_of_detail"] = OrderedJson::array();
    for (const DatabaseInfo::LevelOfDetail& lod : info.levelsOfDetail)
        lods.push_back({{"name", lod.name}, {"switch_in", lod.switchIn}, {"switch_out", lod.switchOut}});
    OrderedJson& switches = report["switches"] = OrderedJson::array();
    for (const DatabaseInfo::Switch& switchNode : info.switches) {
        OrderedJson masks = OrderedJson::array();
        for (const std::string& mask : switchNode.masks)
            masks.push_back(shownMask(mask));
        switches.push_back({{"name", switchNode.name}, {"current_mask", switchNode.currentMask}, {"masks", masks}});
    }
    OrderedJson& textures = report["textures"] = OrderedJson::array();
    for (const DatabaseInfo::Texture& texture : info.textures)
        textures.push_back({{"index", texture.index},
                            {"name", texture.name},
                            {"found", !texture.path.empty()},
                            {"path", texture.path.empty() ? OrderedJson() : OrderedJson(texture.path)}});
    report["references"] = referencesJson(info.references);
    return jsonLine(report);
}

int reportDatabases(const FltconvertOptions& options)
{
    // Meshes are counted as the records they are, not as unknown ones.
    setFltExtendedRecords(options.extended);
    int status = 0;
    const InputTree tree = expandInputs(options.files);
    for (const std::string& problem : tree.problems) {
        std::cerr << "fltconvert: " << problem << std::endl;
        status = 1;
    }
    for (const BatchInput& input : tree.inputs) {
        const std::string& file = input.name;
        std::unique_ptr<ZipMemberImage> member;
        if (!input.zipPath.empty() && input.refusal.empty())
            member = std::make_unique<ZipMemberImage>(input.zipPath, input.member, input.path);
        DatabaseInfo info;
        info.refusal = !input.refusal.empty() ? input.refusal : member ? member->error() : "";
        if (info.refusal.empty())
            info = readDatabaseInfo(input.path, options.texturePaths);
        if (!info.refusal.empty()) {
            status = 1;
            std::cerr << "fltconvert: " + file + ": " + info.refusal + "\n" << std::flush;
        }
        if (options.json)
            writeAtOnce(STDOUT_FILENO, databaseReportJson(file, info) + "\n");
        else if (info.refusal.empty())
            writeAtOnce(STDOUT_FILENO, databaseReportText(file, info));
    }
    return status;
}
