#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

// The folders textures are looked for in, each with every folder below it,
// indexed by file name (case ignored) the first time a name is looked for
// and kept from then on: one index for a whole run of exports, however many
// databases and textures it has. Not for two threads at once.
class TextureSearchTrees {
public:
    explicit TextureSearchTrees(std::vector<std::string> roots) : roots_(std::move(roots)) {}

    // The file called name (case ignored) nearest to the first root that
    // has one, or an empty path.
    std::filesystem::path find(const std::string& name);

    // Files one tree is indexed to at most; the rest are not seen.
    static constexpr std::size_t kMostIndexedFiles = 1000000;

private:
    using Listing = std::map<std::string, std::filesystem::path>;  // by lower-case name
    void index();

    std::vector<std::string> roots_;
    std::vector<Listing> listings_;  // one per root, once indexed
    bool indexed_ = false;
};

// A file name in lower case, as the index keys it.
std::string lowerCaseName(std::string name);

// Lists the regular files of dir into listing by lower-case name (the first
// of a name kept). With `tree`, the folders below it too, nearer ones first
// and each in name order; folders reached through links are walked once
// each, so a link back up the tree ends there.
void listTextureFiles(const std::string& dir, bool tree, std::map<std::string, std::filesystem::path>& listing);
