#include "StagedFiles.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

StagedFiles::~StagedFiles() { discard(); }

void StagedFiles::discard() {
    for (const Staged& file : staged_) std::remove(file.temporary.c_str());
    staged_.clear();
}

bool StagedFiles::stage(const std::string& finalPath, const std::vector<unsigned char>& bytes, std::string& error) {
    const std::filesystem::path target(finalPath);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
        error = "cannot write in " + folder.string() + ": " + std::strerror(errno);
        return false;
    }
    staged_.push_back({pattern, finalPath});
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = "cannot write " + finalPath + ": " + std::strerror(errno);
            ::close(fd);
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    // mkstemp makes files only their owner may read; these are ordinary outputs.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    if (::close(fd) != 0) {
        error = "cannot write " + finalPath + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool StagedFiles::commit(std::string& error) {
    for (std::size_t i = 0; i < staged_.size(); ++i) {
        if (std::rename(staged_[i].temporary.c_str(), staged_[i].final.c_str()) != 0) {
            error = "cannot write " + staged_[i].final + ": " + std::strerror(errno);
            staged_.erase(staged_.begin(), staged_.begin() + static_cast<std::ptrdiff_t>(i));
            discard();
            return false;
        }
    }
    staged_.clear();
    return true;
}
