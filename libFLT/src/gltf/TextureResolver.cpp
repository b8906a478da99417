#include "TextureResolver.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <set>

namespace fs = std::filesystem;

namespace {

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The last part of a name written with either kind of separator.
std::string baseName(const std::string& name) {
    const std::size_t slash = name.find_last_of("/\\");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

bool isFile(const fs::path& path) {
    std::error_code ignored;
    return fs::is_regular_file(path, ignored);
}

// The files of dir (and, for a tree, of every folder below it, nearer ones
// first, each folder in name order). Folders reached through links are
// walked once each, so a link back up the tree ends there.
void listFiles(const std::string& dir, bool tree, std::map<std::string, fs::path>& listing) {
    std::set<fs::path> walked;
    std::deque<fs::path> pending{fs::path(dir)};
    std::size_t files = 0;
    while (!pending.empty() && files < TextureResolver::kMostIndexedFiles) {
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
            if (isFile(entry)) {
                if (++files > TextureResolver::kMostIndexedFiles) break;
                listing.emplace(lowerCase(entry.filename().string()), entry);
            } else if (tree && fs::is_directory(entry, ignored)) {
                pending.push_back(entry);
            }
        }
    }
}

}  // namespace

TextureResolver::TextureResolver(std::string databaseDir, std::vector<std::string> searchDirs)
    : databaseDir_(std::move(databaseDir)), searchDirs_(std::move(searchDirs)) {}

fs::path TextureResolver::resolve(const std::string& storedName) {
    if (storedName.empty()) return {};
    fs::path stored(storedName);
    if (stored.is_relative() && !databaseDir_.empty()) stored = fs::path(databaseDir_) / stored;
    if (isFile(stored)) return stored;

    const std::string name = baseName(storedName);
    if (name.empty() || name == "." || name == "..") return {};
    fs::path found = find(databaseDir_.empty() ? "." : databaseDir_, false, name);
    for (std::size_t i = 0; found.empty() && i < searchDirs_.size(); ++i) found = find(searchDirs_[i], true, name);
    return found;
}

fs::path TextureResolver::find(const std::string& dir, bool tree, const std::string& name) {
    auto listing = listings_.find({dir, tree});
    if (listing == listings_.end()) {
        listing = listings_.emplace(std::make_pair(dir, tree), Listing()).first;
        listFiles(dir, tree, listing->second);
    }
    const auto file = listing->second.find(lowerCase(name));
    return file == listing->second.end() ? fs::path() : file->second;
}
