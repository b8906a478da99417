#pragma once

#include <string>
#include <vector>

// Files written under temporary names in their final folder and renamed into
// place together at the end, so that a failed write leaves nothing behind
// and an existing file is replaced only by a complete one. Only the
// temporary files this made are ever removed.
class StagedFiles {
public:
    StagedFiles() = default;
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;
    // Removes whatever was staged and not committed.
    ~StagedFiles();

    // Writes bytes under a fresh temporary name beside finalPath; false,
    // with the reason in error, when it could not.
    bool stage(const std::string& finalPath, const std::vector<unsigned char>& bytes, std::string& error);
    // Renames every staged file into place, the last staged last; false,
    // with the reason in error, when one cannot be (the rest are removed).
    bool commit(std::string& error);

private:
    struct Staged {
        std::string temporary;
        std::string final;
    };
    void discard();
    std::vector<Staged> staged_;
};
