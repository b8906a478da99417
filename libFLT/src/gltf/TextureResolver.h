#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "TextureSearchTrees.h"

// Finds the image a texture name in a database means. Names are often
// written on another machine ("C:/Work/Vehicles/2s19.tga", "..\maps\a.rgb"),
// so after the name as stored (relative to the database's folder) the file's
// base name is looked for beside the database, then anywhere below each
// search folder in turn (some databases keep one folder per texture), its
// case ignored.
class TextureResolver {
public:
    TextureResolver(std::string databaseDir, std::vector<std::string> searchDirs);
    // With search trees shared by a run of exports (null: none).
    TextureResolver(std::string databaseDir, std::shared_ptr<TextureSearchTrees> searchTrees);

    // The image file, or an empty path when none is found.
    std::filesystem::path resolve(const std::string& storedName);

private:
    std::string databaseDir_;
    std::shared_ptr<TextureSearchTrees> searchTrees_;
    // The database folder's regular files by lower-case name, listed once.
    std::map<std::string, std::filesystem::path> besideDatabase_;
    bool listed_ = false;
};
