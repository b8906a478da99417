#include "GltfText.h"

namespace {

// The length of the valid UTF-8 sequence starting at text[i], or 0.
std::size_t utf8SequenceLength(const std::string& text, std::size_t i) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    unsigned char minimumSecond = 0x80, maximumSecond = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) minimumSecond = 0xA0;  // no overlong forms
        if (lead == 0xED) maximumSecond = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) minimumSecond = 0x90;
        if (lead == 0xF4) maximumSecond = 0x8F;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char next = static_cast<unsigned char>(text[i + k]);
        const unsigned char low = k == 1 ? minimumSecond : 0x80;
        const unsigned char high = k == 1 ? maximumSecond : 0xBF;
        if (next < low || next > high) return 0;
    }
    return length;
}

}  // namespace

std::string gltfText(const std::string& bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            text += bytes[i++];
        } else if (const std::size_t length = utf8SequenceLength(bytes, i)) {
            text.append(bytes, i, length);
            i += length;
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
            ++i;
        }
    }
    return text;
}
