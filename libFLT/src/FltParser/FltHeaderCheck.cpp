#include "FltHeaderCheck.h"

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "FltDecode.h"

std::string fltHeaderRefusal(const unsigned char* bytes, std::size_t count)
{
    if (count == 0)
        return "the file is empty";
    if (count < 2 || bytes[0] != 0 || bytes[1] != 1)
        return "not an OpenFlight database";
    if (count < fltHeaderCheckLength)
        return "not an OpenFlight database: the Header is cut short (" + std::to_string(count) + " bytes)";

    // Revisions 11 to 14 are the old numbering, 1280 to 2303 the 15.x one.
    const int32_t revision = fromBigEndian<int32_t>(bytes + 12);
    if (revision > 2303)
        return "format revision " + std::to_string(revision) + " is newer than the newest supported (2303)";
    if (revision < 11 || (revision > 14 && revision < 1280))
        return "format revision " + std::to_string(revision) + " is not supported";
    const int16_t multiplier = fromBigEndian<int16_t>(bytes + 60);
    if (multiplier != 1)
        return "unit multiplier " + std::to_string(multiplier) + " is not supported (only 1 is)";
    return "";
}

std::string fltFileRefusal(std::FILE* file)
{
    if (!file)
        return std::strerror(EBADF);
    unsigned char bytes[fltHeaderCheckLength];
    errno = 0;
    if (std::fseek(file, 0, SEEK_SET) != 0)
        return std::strerror(errno ? errno : ESPIPE);
    const std::size_t count = std::fread(bytes, 1, sizeof bytes, file);
    // A directory opens on some systems and only fails here.
    if (std::ferror(file))
        return std::strerror(errno ? errno : EIO);
    return fltHeaderRefusal(bytes, count);
}
