#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// What fltconvert --info tells about a database, read from its records
// alone: nothing is converted and no file is written.
struct DatabaseInfo {
    struct LevelOfDetail {
        std::string name;
        double switchIn = 0;
        double switchOut = 0;
    };
    struct Switch {
        std::string name;
        int32_t currentMask = 0;
        std::vector<std::string> masks; // each mask's bits, child 0 first
    };
    struct Texture {
        int32_t index = 0;
        std::string name; // as the database writes it
        std::string path; // the image the glTF export would take; empty: found nowhere
    };
    struct Reference {
        std::string name; // as the database writes it
        enum class State { Found, Missing, Cycle, Refused, NotFollowed } state = State::Missing;
        std::string reason; // why it was refused or not followed
        std::vector<Reference> references;
    };

    std::string refusal; // why the file cannot be read as a database; empty when it can
    int32_t revision = 0;
    int32_t unitsCode = 0;
    double originLatitude = 0;
    double originLongitude = 0;
    double southWestLatitude = 0;
    double southWestLongitude = 0;
    double northEastLatitude = 0;
    double northEastLongitude = 0;
    std::map<std::string, int64_t> recordsByKind;
    std::vector<LevelOfDetail> levelsOfDetail;
    std::vector<Switch> switches;
    std::vector<Texture> textures;
    std::vector<Reference> references;
};

// Textures are looked for as the glTF export looks for them: beside the
// database, then in `texturePaths`.
DatabaseInfo readDatabaseInfo(const std::string& file, const std::vector<std::string>& texturePaths = {});

// The units' name for the Header's unit code.
const char* unitsName(int32_t unitsCode);
const char* referenceStateName(DatabaseInfo::Reference::State state);
