#pragma once

#include <string>

// A folder of the program's own under the temporary folder (TMPDIR, else
// /tmp), made with a fresh random name. What it holds goes with it: the
// destructor removes exactly the folder it made, and nothing when it made
// none, so a TMPDIR that is full, read-only, not a folder or the user's home
// is never touched.
class PrivateFolder {
public:
    // `prefix`: the start of the folder's name, e.g. "fltview-".
    explicit PrivateFolder(const std::string& prefix);
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    bool made() const { return !path_.empty(); }
    // The folder made, or empty.
    const std::string& path() const { return path_; }
    // Why the folder could not be made (empty when it was).
    const std::string& problem() const { return problem_; }

private:
    std::string path_;
    std::string problem_;
};
