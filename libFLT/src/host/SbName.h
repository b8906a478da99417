#pragma once

#include <string>

#include "SbString.h"

// An identifier (type, node or field name). Stored as a plain string: names
// are few and short, so interning would buy nothing measurable here.
class SbName {
public:
    SbName() = default;
    SbName(const char* text) : text_(text ? text : "") {}
    SbName(const SbString& text) : text_(text.toStdString()) {}

    const char* getString() const { return text_.c_str(); }
    int getLength() const { return static_cast<int>(text_.size()); }
    bool operator!() const { return text_.empty(); }

    bool operator==(const SbName& o) const { return text_ == o.text_; }
    bool operator!=(const SbName& o) const { return text_ != o.text_; }
    bool operator<(const SbName& o) const { return text_ < o.text_; }

private:
    std::string text_;
};
