#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

// Finds the image a texture name in a database means. Names are often
// written on another machine ("C:/Work/Vehicles/2s19.tga", "..\maps\a.rgb"),
// so after the name as stored (relative to the database's folder) the file's
// base name is looked for beside the database, then in each search folder in
// turn, its case ignored.
class TextureResolver {
public:
    TextureResolver(std::string databaseDir, std::vector<std::string> searchDirs);

    // The image file, or an empty path when none is found.
    std::filesystem::path resolve(const std::string& storedName);

private:
    // The file in dir whose name equals name but for case, or an empty path.
    std::filesystem::path findInFolder(const std::string& dir, const std::string& name);

    std::string databaseDir_;
    std::vector<std::string> searchDirs_;
    // Each folder's regular files by lower-case name, listed once.
    std::map<std::string, std::map<std::string, std::filesystem::path>> listings_;
};
