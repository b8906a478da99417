#include "SoFieldValueText.h"

#include <cstdio>
#include <string>

#include "SoSceneWriter.h"

namespace {

void writeHex(std::ostream& out, unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*x", digits, value);
    out << text;
}

void writeQuoted(std::ostream& out, const char* text) {
    out << '"';
    for (const char* c = text; *c; ++c) {
        if (*c == '"' || *c == '\\') out << '\\';
        out << *c;
    }
    out << '"';
}

template <class Vec>
void writeComponents(std::ostream& out, const Vec& v, int count) {
    for (int i = 0; i < count; ++i) {
        if (i) out << ' ';
        out << v[i];
    }
}

}  // namespace

void writeFieldValue(std::ostream& out, int32_t value) { out << value; }

void writeFieldValue(std::ostream& out, uint16_t value) { writeHex(out, value, 4); }

void writeFieldValue(std::ostream& out, uint32_t value) { writeHex(out, value, 8); }

void writeFieldValue(std::ostream& out, float value) { out << value; }

void writeFieldValue(std::ostream& out, bool value) { out << (value ? "TRUE" : "FALSE"); }

void writeFieldValue(std::ostream& out, const SbVec2f& value) { writeComponents(out, value, 2); }

void writeFieldValue(std::ostream& out, const SbVec3f& value) { writeComponents(out, value, 3); }

void writeFieldValue(std::ostream& out, const SbString& value) {
    writeQuoted(out, value.getString());
}

void writeFieldValue(std::ostream& out, const SbName& value) { writeQuoted(out, value.getString()); }

void writeFieldValue(std::ostream& out, const SbPlane& value) {
    writeFieldValue(out, value.getNormal());
    out << ' ' << value.getDistanceFromOrigin();
}

void writeFieldValue(std::ostream& out, const SbMatrix& value) {
    for (int row = 0; row < 4; ++row) {
        if (row) out << ' ';
        writeComponents(out, value[row], 4);
    }
}

void writeFieldValue(std::ostream& out, const SoNode* value) {
    if (!value) {
        out << "NULL";
        return;
    }
    std::string text = writeSceneToString(value);
    if (!text.empty() && text.back() == '\n') text.pop_back();
    out << text;
}
