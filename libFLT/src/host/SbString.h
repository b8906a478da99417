#pragma once

#include <string>
#include <utility>

// Text value. Converts implicitly from C strings so literals read naturally
// wherever a string is expected.
class SbString {
public:
    SbString() = default;
    SbString(const char* text) : text_(text ? text : "") {}
    SbString(std::string text) : text_(std::move(text)) {}

    const char* getString() const { return text_.c_str(); }
    const char* toLatin1() const { return text_.c_str(); }
    const std::string& toStdString() const { return text_; }
    int getLength() const { return static_cast<int>(text_.size()); }

    // ASCII lower-casing; other bytes pass through unchanged.
    SbString lower() const;
    // Characters start..end inclusive; end -1 means to the end of the string.
    SbString getSubString(int start, int end = -1) const;
    // Index of the first occurrence at or after from, or -1.
    int find(const SbString& s, int from = 0) const;

    SbString& operator+=(const SbString& s) {
        text_ += s.text_;
        return *this;
    }
    SbString& operator+=(const char* s) {
        if (s) text_ += s;
        return *this;
    }
    friend SbString operator+(SbString a, const SbString& b) { return a += b; }

    bool operator==(const SbString& o) const { return text_ == o.text_; }
    bool operator!=(const SbString& o) const { return text_ != o.text_; }
    bool operator==(const char* s) const { return text_ == (s ? s : ""); }
    bool operator!=(const char* s) const { return !(*this == s); }
    bool operator<(const SbString& o) const { return text_ < o.text_; }

private:
    std::string text_;
};
