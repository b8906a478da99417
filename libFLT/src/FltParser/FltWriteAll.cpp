#include "FltWriteAll.h"

#include <unistd.h>

#include <cerrno>

bool fltWriteAll(int fd, const void* data, std::size_t size)
{
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t wrote = ::write(fd, bytes, size);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        bytes += wrote;
        size -= static_cast<std::size_t>(wrote);
    }
    return true;
}
