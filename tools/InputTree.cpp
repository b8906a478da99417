#include "InputTree.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <set>
#include <utility>

#include "ZipInput.h"

namespace {

using FileId = std::pair<dev_t, ino_t>;

std::string parentFolder(const std::string& path)
{
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

std::string lastPart(const std::string& path)
{
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

class TreeWalk {
public:
    InputTree tree;

    void addArgument(const std::string& argument)
    {
        struct stat status;
        if (stat(argument.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
            const std::size_t before = tree.inputs.size();
            std::string root = argument;
            while (root.size() > 1 && root.back() == '/')
                root.pop_back();
            std::vector<FileId> ancestors;
            walkFolder(root, "", status, ancestors);
            if (tree.inputs.size() == before)
                tree.problems.push_back(argument + ": no OpenFlight database in this folder");
        } else if (hasExtension(argument, ".zip")) {
            addZip(argument, lastPart(argument));
        } else {
            BatchInput input;
            input.name = input.path = argument;
            tree.inputs.push_back(input);
        }
    }

private:
    std::set<FileId> seenFolders;
    std::set<FileId> seenFiles;

    void walkFolder(const std::string& folder, const std::string& relative, const struct stat& status,
                    std::vector<FileId>& ancestors)
    {
        const FileId id{status.st_dev, status.st_ino};
        if (std::find(ancestors.begin(), ancestors.end(), id) != ancestors.end()) {
            tree.problems.push_back(folder + ": a symbolic link loop, not followed");
            return;
        }
        // A folder reached again by another link is already in the batch.
        if (!seenFolders.insert(id).second)
            return;
        DIR* directory = opendir(folder.c_str());
        if (!directory) {
            tree.problems.push_back(folder + ": " + std::strerror(errno));
            return;
        }
        std::vector<std::string> names;
        while (const dirent* entry = readdir(directory)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        closedir(directory);
        std::sort(names.begin(), names.end());

        ancestors.push_back(id);
        for (const std::string& name : names) {
            const std::string path = folder + "/" + name;
            const std::string below = relative.empty() ? name : relative + "/" + name;
            struct stat entryStatus;
            if (stat(path.c_str(), &entryStatus) != 0) {
                // A link to nowhere is no database; only a named database is missed.
                if (hasExtension(name, ".flt") || hasExtension(name, ".zip"))
                    tree.problems.push_back(path + ": " + std::strerror(errno));
                continue;
            }
            if (S_ISDIR(entryStatus.st_mode)) {
                walkFolder(path, below, entryStatus, ancestors);
                continue;
            }
            if (!S_ISREG(entryStatus.st_mode) ||
                !seenFiles.insert({entryStatus.st_dev, entryStatus.st_ino}).second)
                continue;
            if (hasExtension(name, ".flt")) {
                BatchInput input;
                input.name = input.path = path;
                input.mirrored = below;
                tree.inputs.push_back(input);
            } else if (hasExtension(name, ".zip")) {
                addZip(path, below);
            }
        }
        ancestors.pop_back();
    }

    // `mirrored`: the zip's own place in the output tree.
    void addZip(const std::string& zipPath, const std::string& mirrored)
    {
        std::string error;
        const std::unique_ptr<ZipInput> zip = ZipInput::open(zipPath, error);
        if (!zip) {
            BatchInput input;
            input.name = input.path = zipPath;
            input.refusal = "not a readable zip archive: " + error;
            tree.inputs.push_back(input);
            return;
        }
        if (zip->members().empty())
            tree.problems.push_back(zipPath + ": no OpenFlight database in this zip archive");
        for (const ZipInput::Member& member : zip->members()) {
            BatchInput input;
            input.name = zipPath + "/" + member.name;
            input.path = parentFolder(zipPath) + member.name;
            input.zipPath = zipPath;
            input.member = member.name;
            input.mirrored = mirrored + "/" + member.name;
            input.refusal = member.problem;
            tree.inputs.push_back(input);
        }
    }
};

} // namespace

bool hasExtension(const std::string& name, const char* lowerCaseExtension)
{
    const std::size_t length = std::strlen(lowerCaseExtension);
    if (name.size() <= length)
        return false;
    for (std::size_t i = 0; i < length; ++i)
        if (std::tolower(static_cast<unsigned char>(name[name.size() - length + i])) != lowerCaseExtension[i])
            return false;
    return true;
}

InputTree expandInputs(const std::vector<std::string>& arguments)
{
    TreeWalk walk;
    for (const std::string& argument : arguments)
        walk.addArgument(argument);
    return std::move(walk.tree);
}
