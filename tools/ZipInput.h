#pragma once

#include <memory>
#include <string>
#include <vector>

// The OpenFlight databases inside a zip archive (a CDB tile's geometry),
// listed and read in memory: nothing is ever unpacked to disk.
class ZipInput {
public:
    // One .flt entry; `problem` says why it cannot be converted (a name that
    // would leave the archive's folder, encryption), empty when it can.
    struct Member {
        std::string name;
        unsigned long long index = 0;
        std::string problem;
    };

    // Null, with `error` set, when the archive cannot be read (missing, not a
    // zip, cut short).
    static std::unique_ptr<ZipInput> open(const std::string& path, std::string& error);
    ~ZipInput();
    ZipInput(const ZipInput&) = delete;
    ZipInput& operator=(const ZipInput&) = delete;

    // Every entry ending in .flt (in any letter case), sorted by name.
    const std::vector<Member>& members() const { return found; }

    // The member's bytes; false, with `error` set, when it cannot be read
    // whole (damaged, larger than a database can be).
    bool read(const Member& member, std::vector<unsigned char>& bytes, std::string& error);

private:
    explicit ZipInput(void* archive);

    void* archive; // zip_t
    std::vector<Member> found;
};

// A zip member's bytes standing in for the file of its name beside the zip
// (FltMemoryFiles.h) while this lives; `error` says why there are none.
class ZipMemberImage {
public:
    ZipMemberImage(const std::string& zipPath, const std::string& member, const std::string& standsFor);
    ~ZipMemberImage();
    ZipMemberImage(const ZipMemberImage&) = delete;
    ZipMemberImage& operator=(const ZipMemberImage&) = delete;

    const std::string& error() const { return failure; }
    const std::vector<unsigned char>& bytes() const { return image; }

private:
    std::string standsFor;
    std::vector<unsigned char> image;
    std::string failure;
};

// Whether a member's name stays inside the folder it is unpacked into:
// relative, without "..", without backslashes or empty parts.
bool isSafeMemberName(const std::string& name);
