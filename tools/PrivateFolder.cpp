#include "PrivateFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

PrivateFolder::PrivateFolder(const std::string& prefix)
{
    // Not std::filesystem::temp_directory_path(): it throws on a TMPDIR that
    // is not a folder, where one clear line is wanted.
    const char* tmpdir = std::getenv("TMPDIR");
    const std::string parent = tmpdir && *tmpdir ? tmpdir : "/tmp";
    std::string pattern = parent + (parent.back() == '/' ? "" : "/") + prefix + "XXXXXX";
    if (mkdtemp(pattern.data()))
        path_ = pattern;
    else
        problem_ = "cannot make a private folder in " + parent + ": " + std::strerror(errno);
}

PrivateFolder::~PrivateFolder()
{
    // The path mkdtemp returned, and only it.
    if (path_.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}
