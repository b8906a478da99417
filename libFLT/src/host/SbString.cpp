#include "SbString.h"

#include <algorithm>

SbString SbString::lower() const {
    std::string result = text_;
    for (char& c : result)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return SbString(std::move(result));
}

SbString SbString::getSubString(int start, int end) const {
    const int length = getLength();
    if (end < 0 || end >= length) end = length - 1;
    start = std::max(start, 0);
    if (start > end) return SbString();
    return SbString(text_.substr(static_cast<size_t>(start), static_cast<size_t>(end - start + 1)));
}

int SbString::find(const SbString& s, int from) const {
    if (from < 0) from = 0;
    const size_t at = text_.find(s.text_, static_cast<size_t>(from));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}
