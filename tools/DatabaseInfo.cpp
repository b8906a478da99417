#include "DatabaseInfo.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>

#include "FltFileInput.h"
#include "FltMemoryFiles.h"
#include "FltFixedText.h"
#include "FltHeaderCheck.h"
#include "FltReferencedFile.h"
#include "FltOpcodes.h"
#include "FltUnits.h"
#include "FltParser.h"
#include "FltRecordExternalReference.h"
#include "FltRecordHeader.h"
#include "FltRecordLOD.h"
#include "FltRecordLongID.h"
#include "FltRecordOLDLOD.h"
#include "FltRecordSwitch.h"
#include "FltRecordTexturePattern.h"
#include "TextureResolver.h"

namespace {

// Why the file cannot be read as a database, as fltconvert says it.
std::string refusalOf(const std::string& file)
{
    // A zip's member stands in memory for the file of its name.
    const unsigned char* image = nullptr;
    std::size_t size = 0;
    std::FILE* opened = findFltMemoryFile(file, image, size) && size > 0
                            ? fmemopen(const_cast<unsigned char*>(image), size, "rb")
                            : std::fopen(file.c_str(), "rb");
    if (!opened)
        return std::strerror(errno);
    const std::string reason = fltFileRefusal(opened);
    std::fclose(opened);
    return reason;
}

// Drops what is written to standard output while it lives.
class StandardOutputDropped {
public:
    StandardOutputDropped() : standardOutput(std::cout.rdbuf(nullptr)) {}
    ~StandardOutputDropped() { std::cout.rdbuf(standardOutput); }
    StandardOutputDropped(const StandardOutputDropped&) = delete;
    StandardOutputDropped& operator=(const StandardOutputDropped&) = delete;

private:
    std::streambuf* standardOutput;
};

// The records of a file, parsed without a transcript; what the input and the
// parse print themselves is dropped.
class ParsedFile {
public:
    explicit ParsedFile(const std::string& file) : input(file.c_str()), parser(&input) { parser.parse(); }
    ~ParsedFile() { parser.deleteRecords(); }
    ParsedFile(const ParsedFile&) = delete;
    ParsedFile& operator=(const ParsedFile&) = delete;

    const std::vector<FltRecord*>& records() { return parser.getRecords(); }
    std::string directory() const { return input.getDirectory() ? input.getDirectory() : ""; }

private:
    StandardOutputDropped dropped;
    FltFileInput input;
    FltParser parser;
};

// A node's name: its Long ID when one follows it, else its short one.
template <std::size_t width>
std::string nodeName(const std::vector<FltRecord*>& records, std::size_t at, const char (&shortName)[width])
{
    if (at + 1 < records.size() && records[at + 1] && records[at + 1]->getOpcode() == 33)
        if (const auto* longId = dynamic_cast<const FltRecordLongID*>(records[at + 1]))
            return longId->idASCII;
    return fixedText(shortName);
}

// The kinds the report reads beyond the Header, told by opcode: trying each
// cast on every record would cost more than the rest of the report.
bool readForInfo(const FltRecord* record)
{
    if (!record)
        return false;
    switch (record->getOpcode()) {
    case FLT_LOD:
    case FLT_OLD_LOD:
    case FLT_SWITCH:
    case FLT_TEXTURE_PATTERN:
    case FLT_EXTERNAL_REFERENCE: return true;
    default: return false;
    }
}

std::vector<std::string> switchMasks(const FltRecordSwitch& record)
{
    std::vector<std::string> masks;
    const int32_t words = record.numberOf32BitWordsPerMask;
    for (int32_t mask = 0; mask < record.getAvailableMaskCount(); ++mask) {
        std::string bits;
        for (int32_t word = 0; word < words; ++word)
            for (int bit = 0; bit < 32; ++bit)
                bits += (record.getMaskWord(mask, word) >> bit & 1u) ? '1' : '0';
        masks.push_back(bits);
    }
    return masks;
}

void readHeader(const FltRecordHeader& header, DatabaseInfo& info)
{
    info.revision = header.formatRevisionLevel;
    info.unitsCode = header.vertexCoordinateUnits;
    info.originLatitude = header.originLatitude;
    info.originLongitude = header.originLongitude;
    info.southWestLatitude = header.southWestCornerLatitude;
    info.southWestLongitude = header.southWestCornerLongitude;
    info.northEastLatitude = header.northEastCornerLatitude;
    info.northEastLongitude = header.northEastCornerLongitude;
}

// Follows references depth first within the conversion's bounds. The tree
// lists a file once per place it is referenced from, but each file is
// looked at and parsed once: a model placed a thousand times is read once.
class ReferenceWalk {
public:
    std::vector<DatabaseInfo::Reference> follow(const std::vector<std::string>& names, const std::string& directory,
                                                std::vector<std::string>& chain)
    {
        std::vector<DatabaseInfo::Reference> references;
        for (const std::string& name : names) {
            if (name.empty())
                continue; // the conversion does not follow it either
            DatabaseInfo::Reference reference;
            reference.name = name;
            const std::string path = fltReferencedFileName(directory.c_str(), name);
            const FltReferenceVerdict verdict = fltJudgeReference(path, chain, filesRead);
            FileFacts& file = factsOf(path);
            if (verdict == FltReferenceVerdict::Missing) {
                reference.state = DatabaseInfo::Reference::State::Missing;
            } else if (verdict == FltReferenceVerdict::Cycle) {
                reference.state = DatabaseInfo::Reference::State::Cycle;
            } else if (verdict != FltReferenceVerdict::Follow) {
                reference.state = DatabaseInfo::Reference::State::NotFollowed;
                reference.reason = fltReferenceNotFollowedReason(verdict);
            } else if (!(reference.reason = file.refusal).empty()) {
                reference.state = DatabaseInfo::Reference::State::Refused;
            } else {
                reference.state = DatabaseInfo::Reference::State::Found;
                ++filesRead;
                if (!file.parsed) {
                    ParsedFile parsed(path);
                    file.directory = parsed.directory();
                    for (const FltRecord* record : parsed.records())
                        if (const auto* external = dynamic_cast<const FltRecordExternalReference*>(record))
                            file.references.push_back(fixedText(external->asciiPath));
                    file.parsed = true;
                }
                chain.push_back(file.canonical);
                // The table's entries stay where they are as the walk below adds to it.
                reference.references = follow(file.references, file.directory, chain);
                chain.pop_back();
            }
            references.push_back(std::move(reference));
        }
        return references;
    }

private:
    struct FileFacts {
        bool regular = false;
        std::string canonical;
        std::string refusal;
        bool parsed = false;
        std::string directory;
        std::vector<std::string> references; // the names its External Reference records give
    };

    FileFacts& factsOf(const std::string& path)
    {
        const auto known = files.find(path);
        if (known != files.end())
            return known->second;
        FileFacts& file = files[path];
        std::error_code error;
        file.regular = std::filesystem::is_regular_file(path, error);
        file.canonical = fltCanonicalFileName(path);
        if (file.regular)
            file.refusal = refusalOf(path);
        return file;
    }

    std::map<std::string, FileFacts> files; // by the path a reference leads to
    int filesRead = 0;
};

} // namespace

DatabaseInfo readDatabaseInfo(const std::string& file, const std::vector<std::string>& texturePaths)
{
    DatabaseInfo info;
    info.refusal = refusalOf(file);
    if (!info.refusal.empty())
        return info;
    std::vector<std::string> referenceNames;
    std::string directory;
    {
        ParsedFile parsed(file);
        directory = parsed.directory();
        TextureResolver textures(directory, texturePaths);
        const std::vector<FltRecord*>& records = parsed.records();
        // The conversion would find no Header to start from.
        if (records.empty() || !dynamic_cast<const FltRecordHeader*>(records.front())) {
            info.refusal = "the conversion failed (see its warnings)";
            return info;
        }
        for (std::size_t at = 0; at < records.size(); ++at) {
            const FltRecord* record = records[at];
            if (const auto* known = dynamic_cast<const AbstractFltRecord*>(record))
                ++info.recordsByKind[known->getKindName()];
            if (at != 0 && !readForInfo(record))
                continue;
            if (at == 0)
                readHeader(dynamic_cast<const FltRecordHeader&>(*record), info);
            else if (const auto* lod = dynamic_cast<const FltRecordLOD*>(record)) {
                info.levelsOfDetail.push_back(
                    {nodeName(records, at, lod->idASCII), lod->switchInDistance, lod->switchOutDistance});
            } else if (const auto* old = dynamic_cast<const FltRecordOLDLOD*>(record)) {
                info.levelsOfDetail.push_back({nodeName(records, at, old->idASCII),
                                               static_cast<double>(old->switchInDistance),
                                               static_cast<double>(old->switchOutDistance)});
            } else if (const auto* switchRecord = dynamic_cast<const FltRecordSwitch*>(record)) {
                info.switches.push_back({nodeName(records, at, switchRecord->idASCII),
                                         switchRecord->indexOfCurrentMask, switchMasks(*switchRecord)});
            } else if (const auto* pattern = dynamic_cast<const FltRecordTexturePattern*>(record)) {
                const std::string name = fixedText(pattern->fileName);
                info.textures.push_back({pattern->patternIndex, name, textures.resolve(name).string()});
            } else if (const auto* external = dynamic_cast<const FltRecordExternalReference*>(record)) {
                referenceNames.push_back(fixedText(external->asciiPath));
            }
        }
    }
    std::vector<std::string> chain = {fltCanonicalFileName(file)};
    info.references = ReferenceWalk().follow(referenceNames, directory, chain);
    return info;
}

const char* unitsName(int32_t unitsCode)
{
    const FltUnits* units = fltUnitsOf(unitsCode);
    return units ? units->name : "unknown";
}

const char* referenceStateName(DatabaseInfo::Reference::State state)
{
    switch (state) {
    case DatabaseInfo::Reference::State::Found: return "found";
    case DatabaseInfo::Reference::State::Missing: return "missing";
    case DatabaseInfo::Reference::State::Cycle: return "cycle";
    case DatabaseInfo::Reference::State::Refused: return "refused";
    case DatabaseInfo::Reference::State::NotFollowed: return "not followed";
    }
    return "";
}
