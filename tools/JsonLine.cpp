#include "JsonLine.h"

#include <charconv>
#include <cmath>

namespace {

// Text that JSON writes as it is, between quotes: printable ASCII without
// quotes or backslashes. The rest goes through the library's escaping.
bool isPlainText(const std::string& text)
{
    for (const char c : text)
        if (c < 0x20 || c > 0x7e || c == '"' || c == '\\')
            return false;
    return true;
}

void appendString(std::string& out, const std::string& text)
{
    if (isPlainText(text)) {
        out += '"';
        out += text;
        out += '"';
    } else {
        out += OrderedJson(text).dump(-1, ' ', false, nlohmann::detail::error_handler_t::replace);
    }
}

void append(std::string& out, const OrderedJson& value)
{
    switch (value.type()) {
    case OrderedJson::value_t::object: {
        out += '{';
        const char* separator = "";
        for (const auto& item : value.items()) {
            out += separator;
            appendString(out, item.key());
            out += ": ";
            append(out, item.value());
            separator = ", ";
        }
        out += '}';
        break;
    }
    case OrderedJson::value_t::array: {
        out += '[';
        const char* separator = "";
        for (const OrderedJson& item : value) {
            out += separator;
            append(out, item);
            separator = ", ";
        }
        out += ']';
        break;
    }
    case OrderedJson::value_t::number_float: {
        // The library would write 20 as 20.0, and a float's 0.1 with all
        // the digits of the double it became; the tool's lines never did.
        const double number = value.get<double>();
        if (!std::isfinite(number)) {
            out += "null";
            break;
        }
        char text[32];
        const float single = static_cast<float>(number);
        const bool isFloat = std::isfinite(single) && static_cast<double>(single) == number;
        out.append(text, (isFloat ? std::to_chars(text, text + sizeof text, single)
                                  : std::to_chars(text, text + sizeof text, number)).ptr);
        break;
    }
    case OrderedJson::value_t::string: appendString(out, value.get_ref<const std::string&>()); break;
    default:
        out += value.dump(-1, ' ', false, nlohmann::detail::error_handler_t::replace);
    }
}

} // namespace

std::string jsonLine(const OrderedJson& value)
{
    std::string out;
    append(out, value);
    return out;
}
