#include "TextureResolver.h"

#include <algorithm>
#include <cctype>

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
    fs::path found = findInFolder(databaseDir_.empty() ? "." : databaseDir_, name);
    for (std::size_t i = 0; found.empty() && i < searchDirs_.size(); ++i) found = findInFolder(searchDirs_[i], name);
    return found;
}

fs::path TextureResolver::findInFolder(const std::string& dir, const std::string& name) {
    auto listing = listings_.find(dir);
    if (listing == listings_.end()) {
        listing = listings_.emplace(dir, std::map<std::string, fs::path>()).first;
        std::error_code error;
        for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error))
            if (isFile(it->path())) listing->second.emplace(lowerCase(it->path().filename().string()), it->path());
    }
    const auto file = listing->second.find(lowerCase(name));
    return file == listing->second.end() ? fs::path() : file->second;
}
