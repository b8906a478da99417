#include "TestFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "FltRecord.h"
#include "FltWarningMessageConsole.h"

ScratchDir::ScratchDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "libflt-XXXXXX").string();
    if (char* made = mkdtemp(pattern.data()))
        dir = made;
}

ScratchDir::~ScratchDir()
{
    std::error_code ignored;
    if (!dir.empty())
        std::filesystem::remove_all(dir, ignored);
}

std::string ScratchDir::write(const std::string& name, const std::vector<uint8_t>& bytes) const
{
    const std::string path = file(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

bool writeBinaryFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        std::cerr << "cannot write " << path << std::endl;
    return static_cast<bool>(out);
}

std::string readTextFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool fileExists(const std::string& path)
{
    return std::filesystem::exists(path);
}

std::string decodeAndDump(FltRecord& record, const std::vector<uint8_t>& recordBytes)
{
    record.read(recordBytes.data());
    std::ostringstream dump;
    record.printFields(dump);
    return dump.str();
}

std::string samplesDir()
{
    const std::string dir = FLT_SAMPLES_DIR;
    return std::filesystem::is_directory(dir) ? dir : std::string();
}

StreamCapture::StreamCapture(std::ostream& stream) : stream(stream), saved(stream.rdbuf())
{
    stream.rdbuf(captured.rdbuf());
}

StreamCapture::~StreamCapture()
{
    stream.rdbuf(saved);
}

std::string StreamCapture::text() const
{
    return captured.str();
}

WarningMark::WarningMark() : start(FltWarningMessageConsole::instance().count()) {}

std::vector<std::string> WarningMark::texts() const
{
    std::vector<std::string> result;
    for (const FltWarningMessage& warning : FltWarningMessageConsole::instance().getWarningsFrom(start))
        result.push_back(warning.text);
    return result;
}

std::vector<int> WarningMark::levels() const
{
    std::vector<int> result;
    for (const FltWarningMessage& warning : FltWarningMessageConsole::instance().getWarningsFrom(start))
        result.push_back(warning.level);
    return result;
}
