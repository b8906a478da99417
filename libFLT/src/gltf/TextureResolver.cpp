#include "TextureResolver.h"

namespace fs = std::filesystem;

namespace {

// The last part of a name written with either kind of separator.
std::string baseName(const std::string& name) {
    const std::size_t slash = name.find_last_of("/\\");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

}  // namespace

TextureResolver::TextureResolver(std::string databaseDir, std::vector<std::string> searchDirs)
    : TextureResolver(std::move(databaseDir), std::make_shared<TextureSearchTrees>(std::move(searchDirs))) {}

TextureResolver::TextureResolver(std::string databaseDir, std::shared_ptr<TextureSearchTrees> searchTrees)
    : databaseDir_(std::move(databaseDir)), searchTrees_(std::move(searchTrees)) {}

fs::path TextureResolver::resolve(const std::string& storedName) {
    if (storedName.empty()) return {};
    fs::path stored(storedName);
    if (stored.is_relative() && !databaseDir_.empty()) stored = fs::path(databaseDir_) / stored;
    std::error_code ignored;
    if (fs::is_regular_file(stored, ignored)) return stored;

    const std::string name = baseName(storedName);
    if (name.empty() || name == "." || name == "..") return {};
    if (!listed_) {
        listed_ = true;
        listTextureFiles(databaseDir_.empty() ? "." : databaseDir_, false, besideDatabase_);
    }
    const auto beside = besideDatabase_.find(lowerCaseName(name));
    if (beside != besideDatabase_.end()) return beside->second;
    return searchTrees_ ? searchTrees_->find(name) : fs::path();
}
