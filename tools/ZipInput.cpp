#include "ZipInput.h"

#include <zip.h>

#include <algorithm>
#include <cstdint>
#include <sstream>

#include "FltMemoryFiles.h"
#include "InputTree.h"

namespace {

// The reader takes images up to this size, whatever the archive claims.
constexpr zip_uint64_t kLargestMember = INT32_MAX;

} // namespace

bool isSafeMemberName(const std::string& name)
{
    if (name.empty() || name[0] == '/' || name.find('\\') != std::string::npos ||
        name.find('\0') != std::string::npos)
        return false;
    std::istringstream parts(name);
    std::string part;
    while (std::getline(parts, part, '/'))
        if (part.empty() || part == "." || part == "..")
            return false;
    return name.back() != '/';
}

std::unique_ptr<ZipInput> ZipInput::open(const std::string& path, std::string& error)
{
    int code = 0;
    // Without libzip's stricter checks, which refuse archives that common
    // tools write: a member that is damaged is refused alone when it is read.
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &code);
    if (!archive) {
        zip_error_t failure;
        zip_error_init_with_code(&failure, code);
        error = zip_error_strerror(&failure);
        zip_error_fini(&failure);
        return nullptr;
    }
    std::unique_ptr<ZipInput> input(new ZipInput(archive));
    const zip_int64_t entries = zip_get_num_entries(archive, 0);
    for (zip_int64_t index = 0; index < entries; ++index) {
        zip_stat_t status;
        zip_stat_init(&status);
        if (zip_stat_index(archive, static_cast<zip_uint64_t>(index), 0, &status) != 0 ||
            !(status.valid & ZIP_STAT_NAME) || !hasExtension(status.name, ".flt"))
            continue;
        Member member;
        member.name = status.name;
        member.index = static_cast<zip_uint64_t>(index);
        if (!isSafeMemberName(member.name))
            member.problem = "its name leads outside the archive's folder";
        else if ((status.valid & ZIP_STAT_ENCRYPTION_METHOD) && status.encryption_method != ZIP_EM_NONE)
            member.problem = "it is encrypted";
        input->found.push_back(member);
    }
    std::sort(input->found.begin(), input->found.end(),
              [](const Member& a, const Member& b) { return a.name < b.name; });
    return input;
}

ZipInput::ZipInput(void* archive) : archive(archive) {}

ZipInput::~ZipInput()
{
    zip_discard(static_cast<zip_t*>(archive));
}

bool ZipInput::read(const Member& member, std::vector<unsigned char>& bytes, std::string& error)
{
    zip_t* zip = static_cast<zip_t*>(archive);
    zip_stat_t status;
    zip_stat_init(&status);
    if (zip_stat_index(zip, member.index, 0, &status) != 0 || !(status.valid & ZIP_STAT_SIZE)) {
        error = zip_strerror(zip);
        return false;
    }
    if (status.size > kLargestMember) {
        error = "it is larger than a database can be";
        return false;
    }
    zip_file_t* file = zip_fopen_index(zip, member.index, 0);
    if (!file) {
        error = zip_strerror(zip);
        return false;
    }
    // The buffer grows with what the member really holds, never beyond what
    // it states: a damaged or hostile archive's claims allocate nothing.
    bytes.clear();
    constexpr std::size_t kChunk = std::size_t(1) << 20;
    bool whole = true;
    for (;;) {
        const std::size_t had = bytes.size();
        const zip_uint64_t wanted = std::min<zip_uint64_t>(kChunk, status.size - had + 1);
        bytes.resize(had + static_cast<std::size_t>(wanted));
        const zip_int64_t got = zip_fread(file, bytes.data() + had, wanted);
        if (got < 0) {
            error = zip_file_strerror(file);
            whole = false;
            break;
        }
        bytes.resize(had + static_cast<std::size_t>(got));
        if (bytes.size() > status.size) {
            error = "it holds more than its archive says";
            whole = false;
            break;
        }
        if (got == 0)
            break;
    }
    if (whole && bytes.size() != status.size) {
        error = "it is cut short";
        whole = false;
    }
    zip_fclose(file);
    if (!whole)
        bytes.clear();
    return whole;
}

ZipMemberImage::ZipMemberImage(const std::string& zipPath, const std::string& member, const std::string& standsFor)
    : standsFor(standsFor)
{
    std::string error;
    const std::unique_ptr<ZipInput> zip = ZipInput::open(zipPath, error);
    if (!zip) {
        failure = "not a readable zip archive: " + error;
        return;
    }
    for (const ZipInput::Member& found : zip->members())
        if (found.name == member && !zip->read(found, image, error))
            failure = "cannot be read from its archive: " + error;
    if (failure.empty() && image.empty())
        failure = "an empty member";
    if (failure.empty())
        provideFltMemoryFile(standsFor, image.data(), image.size());
}

ZipMemberImage::~ZipMemberImage()
{
    if (failure.empty())
        withdrawFltMemoryFile(standsFor);
}
