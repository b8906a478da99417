#include "JsonLine.h"

#include <charconv>
#include <cmath>

namespace {

void append(std::string& out, const OrderedJson& value)
{
    switch (value.type()) {
    case OrderedJson::value_t::object: {
        out += '{';
        const char* separator = "";
        for (const auto& item : value.items()) {
            out += separator;
            out += OrderedJson(item.key()).dump(-1, ' ', false, nlohmann::detail::error_handler_t::replace);
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
        // The library would write 20 as 20.0; the tool's lines never did.
        const float number = value.get<float>();
        if (!std::isfinite(number)) {
            out += "null";
            break;
        }
        char text[32];
        out.append(text, std::to_chars(text, text + sizeof text, number).ptr);
        break;
    }
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
