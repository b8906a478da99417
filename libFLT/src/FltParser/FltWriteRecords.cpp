#include "FltWriteRecords.h"

#include "FltWriteAll.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "FltRecord.h"
#include "FltRecordHeader.h"
#include "FltVersion.h"

std::vector<unsigned char> encodeFltRecords(const std::vector<FltRecord*>& records)
{
    const FltRecordHeader* header =
        records.empty() ? nullptr : dynamic_cast<const FltRecordHeader*>(records.front());
    const int32_t revision = header ? header->formatRevisionLevel : 0;
    std::vector<unsigned char> bytes;
    const FltRecord* previous = nullptr;
    for (FltRecord* record : records) {
        if (!record || record == previous) {
            previous = record;
            continue;
        }
        previous = record;
        // Records made one by one take the revision of the Header they follow.
        if (FltVersion* version = dynamic_cast<FltVersion*>(record))
            if (version->getVersion() == 0)
                version->setVersion(revision);
        record->encode(bytes);
    }
    return bytes;
}

namespace {

bool fail(std::string* reason, const std::string& text)
{
    if (reason)
        *reason = text;
    return false;
}

// Creates a new file beside `fileName` (never an existing one) and names it in `temporary`.
int createTemporary(const std::string& fileName, std::string& temporary)
{
    static std::atomic<unsigned> serial{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = fileName + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(serial++);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

bool writeFltFile(const std::string& fileName, const std::vector<FltRecord*>& records,
                  std::string* reason)
{
    return writeFltBytes(fileName, encodeFltRecords(records), reason);
}

bool writeFltBytes(const std::string& fileName, const std::vector<unsigned char>& bytes,
                   std::string* reason)
{
    // The file is made here, so the name removed on failure is always ours.
    std::string temporary;
    const int fd = createTemporary(fileName, temporary);
    if (fd < 0)
        return fail(reason, "cannot create a file beside " + fileName + ": " + std::strerror(errno));
    bool written = fltWriteAll(fd, bytes.data(), bytes.size());
    int error = written ? 0 : errno;
    if (::close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        ::unlink(temporary.c_str());
        return fail(reason, "cannot write " + fileName + ": " + std::strerror(error ? error : EIO));
    }
    if (std::rename(temporary.c_str(), fileName.c_str()) != 0) {
        const int renameError = errno;
        ::unlink(temporary.c_str());
        return fail(reason, "cannot write " + fileName + ": " + std::strerror(renameError));
    }
    return true;
}
