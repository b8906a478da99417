#include "AbstractTextRecord.h"

void AbstractTextRecord::bodyText(FltFields& f, const char* label, std::string& text)
{
    if (FltCursor* cursor = f.decoding()) {
        const std::size_t size = cursor->remaining();
        text.assign(reinterpret_cast<const char*>(cursor->position()), size);
        cursor->skip(size);
    }
    if (FltDumpWriter* out = f.dumping())
        (*out << label).text(text.c_str(), text.size()).endl();
}
