// JSON text written field by field, for the page's answers: objects and arrays, UTF-8
// strings, numbers that read back as the same double, true, false and null. Small on
// purpose: the WebAssembly module stays a few dozen kilobytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace web {

class JsonWriter
{
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    /// The next member's name; its value follows.
    JsonWriter& key(std::string_view name);
    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(double number);
    JsonWriter& value(int number);
    JsonWriter& value(bool truth);
    JsonWriter& null();

    /// The text written so far.
    [[nodiscard]] const std::string& text() const { return text_; }

private:
    void separate();

    std::string text_;
    std::vector<bool> first_; // per open object or array: nothing written in it yet
    bool afterKey_ = false;
};

} // namespace web
