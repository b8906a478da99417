#include "AbstractTextRecord.h"

void AbstractTextRecord::bodyText(FltFields& f, const char* label, std::string& text)
{
    if (FltCursor* cursor = f.decoding())
        text.resize(cursor->remaining());
    f.reservedBytes(&text[0], text.size());
    if (FltDumpWriter* out = f.dumping())
        (*out << label).text(text.c_str(), text.size()).endl();
}
