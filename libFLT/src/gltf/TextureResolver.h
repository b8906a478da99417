#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

// Finds the image a texture name in a database means. Names are often
// written on another machine ("C:/Work/Vehicles/2s19.tga", "..\maps\a.rgb"),
// so after the name as stored (relative to the database's folder) the file's
// base name is looked for beside the database, then anywhere below each
// search folder in turn (some databases keep one folder per texture), its
// case ignored.
class TextureResolver {
public:
    TextureResolver(std::string databaseDir, std::vector<std::string> searchDirs);

    // The image file, or an empty path when none is found.
    std::filesystem::path resolve(const std::string& storedName);

    // Files a search tree is indexed to at most; the rest are not seen.
    static constexpr std::size_t kMostIndexedFiles = 1000000;

private:
    using Listing = std::map<std::string, std::filesystem::path>;  // by lower-case name
    // The file in (or, for a tree, below) dir whose name equals name but for case.
    std::filesystem::path find(const std::string& dir, bool tree, const std::string& name);

    std::string databaseDir_;
    std::vector<std::string> searchDirs_;
    // Each folder's (or tree's) regular files, listed once.
    std::map<std::pair<std::string, bool>, Listing> listings_;
};
