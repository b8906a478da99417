#include "TextureSearchTrees.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <set>

namespace fs = std::filesystem;

std::string lowerCaseName(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name;
}

void listTextureFiles(const std::string& dir, bool tree, std::map<std::string, fs::path>& listing) {
    std::set<fs::path> walked;
    std::deque<fs::path> pending{fs::path(dir)};
    std::size_t files = 0;
    while (!pending.empty() && files < TextureSearchTrees::kMostIndexedFiles) {
        const fs::path folder = pending.front();
        pending.pop_front();
        std::error_code error;
        const fs::path real = fs::canonical(folder, error);
        if (error || !walked.insert(real).second) continue;
        std::vector<fs::path> entries;
        for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
            entries.push_back(it->path());
        std::sort(entries.begin(), entries.end());
        for (const fs::path& entry : entries) {
            std::error_code ignored;
            if (fs::is_regular_file(entry, ignored)) {
                if (++files > TextureSearchTrees::kMostIndexedFiles) break;
                listing.emplace(lowerCaseName(entry.filename().string()), entry);
            } else if (tree && fs::is_directory(entry, ignored)) {
                pending.push_back(entry);
            }
        }
    }
}

fs::path TextureSearchTrees::find(const std::string& name) {
    if (!indexed_) index();
    const std::string key = lowerCaseName(name);
    for (const Listing& listing : listings_) {
        const auto file = listing.find(key);
        if (file != listing.end()) return file->second;
    }
    return {};
}

void TextureSearchTrees::index() {
    indexed_ = true;
    listings_.resize(roots_.size());
    for (std::size_t i = 0; i < roots_.size(); ++i) listTextureFiles(roots_[i], true, listings_[i]);
}
