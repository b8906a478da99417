// Read from /proc: the kernel keeps the peak (VmHWM) and lets a process reset
// it (5 into clear_refs), so one conversion's peak stands apart from the rest.

#include "MemoryMeter.h"

#include <fstream>
#include <string>

namespace {

std::size_t statusBytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, field.size(), field) == 0)
            return std::stoull(line.substr(field.size())) * 1024; // given in kB
    return 0;
}

} // namespace

std::size_t residentBytes() { return statusBytes("VmRSS:"); }
std::size_t peakResidentBytes() { return statusBytes("VmHWM:"); }

void resetPeakResident()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}
