#include "convertFltFile.h"

#include <cstring>
#include <iostream>
#include <memory>
#include <mutex>
#include <string>

#include "FltExtendedRecords.h"
#include "FltFileInput.h"
#include "FltLogPlacement.h"
#include "FltStatisticsRequest.h"
#include "FltToVeldra.h"

namespace {

// The converter of the file given: writes the statistics of its parse, when
// they are wanted, while the records still exist. Referenced files converted
// on the way get none.
class EntryConverter : public FltToVeldra {
public:
    void deleteRecords() override
    {
        if (isFltStatisticsRequested())
            writeStatistics();
        FltToVeldra::deleteRecords();
    }
};

// A conversion takes the process's standard output for its log and adds to
// the process's warning list: two must never overlap. Recursive, so that a
// conversion started from inside one (by a caller's observer, say) on the
// same thread still goes ahead.
std::recursive_mutex& conversionLock()
{
    static std::recursive_mutex lock;
    return lock;
}

// With no transcript wanted, standard output still must not receive it.
class DroppedTranscript {
public:
    DroppedTranscript() : kept(std::cout.rdbuf(nullptr)) {}
    ~DroppedTranscript()
    {
        std::cout.rdbuf(kept);
        std::cout.clear();
    }
    DroppedTranscript(const DroppedTranscript&) = delete;
    DroppedTranscript& operator=(const DroppedTranscript&) = delete;

private:
    std::streambuf* kept;
};

} // namespace

SoSeparator* convertFltFile(const char* fileName, bool& converted)
{
    converted = false;
    if (!fileName || std::strlen(fileName) == 0)
        return nullptr;
    const std::lock_guard<std::recursive_mutex> oneAtATime(conversionLock());

    resetFltExtendedRecordsMissed();
    FltFileInput input(fileName);
    SoRef<SoSeparator> root(new SoSeparator);
    const std::string logPath = fltLogPathFor(fileName);
    std::unique_ptr<DroppedTranscript> dropped;
    if (logPath.empty())
        dropped = std::make_unique<DroppedTranscript>();
    {
        EntryConverter converter;
        converter.setInput(&input);
        if (!logPath.empty())
            converter.openLog(logPath.c_str());
        converter.setRoot(root.get());
        converter.run();
        converted = converter.isConverted();
    }
    // Returned with the Header's lasting reference, or none when there was no Header.
    return root.release();
}

SoSeparator* convertFltFile(const char* fileName)
{
    bool converted = false;
    return convertFltFile(fileName, converted);
}
