#include "web/JsonWriter.h"

#include <array>
#include <cstdio>

namespace web {

void JsonWriter::separate()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back())
            text_ += ',';
        first_.back() = false;
    }
}

JsonWriter& JsonWriter::beginObject()
{
    separate();
    text_ += '{';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endObject()
{
    text_ += '}';
    first_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::beginArray()
{
    separate();
    text_ += '[';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endArray()
{
    text_ += ']';
    first_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name)
{
    value(name);
    text_ += ':';
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text)
{
    separate();
    text_ += '"';
    for (const char c : text) {
        switch (c) {
        case '"':
            text_ += "\\\"";
            break;
        case '\\':
            text_ += "\\\\";
            break;
        case '\n':
            text_ += "\\n";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                std::array<char, 8> escaped{};
                std::snprintf(escaped.data(), escaped.size(), "\\u%04x", c);
                text_ += escaped.data();
            } else {
                text_ += c; // UTF-8 passes as it is
            }
        }
    }
    text_ += '"';
    return *this;
}

JsonWriter& JsonWriter::value(double number)
{
    separate();
    // Seventeen significant digits read back as the very same double.
    std::array<char, 32> digits{};
    std::snprintf(digits.data(), digits.size(), "%.17g", number);
    text_ += digits.data();
    return *this;
}

JsonWriter& JsonWriter::value(int number)
{
    separate();
    text_ += std::to_string(number);
    return *this;
}

JsonWriter& JsonWriter::value(bool truth)
{
    separate();
    text_ += truth ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::null()
{
    separate();
    text_ += "null";
    return *this;
}

} // namespace web
