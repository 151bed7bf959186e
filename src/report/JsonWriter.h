// JSON text written as it goes: objects and arrays, UTF-8 strings, numbers, true, false
// and null; on one line, or indented as the command-line tool writes it. Every face writes
// its JSON with it, so the tool's and the web page's answers are the same shapes from the
// same code. Small on purpose: the web page's WebAssembly module stays a few dozen kilobytes.
#pragma once

#include <string>
#include <string_view>
#include <type_traits>

namespace report {

class JsonWriter
{
public:
    /// indent: spaces per level, each member and element on a line of its own; 0: one line.
    explicit JsonWriter(int indent = 0) : indent_(indent) {}

    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    /// The next member's name; its value follows.
    JsonWriter& key(std::string_view name);
    /// UTF-8 text; a byte sequence that is not UTF-8 becomes U+FFFD, one for each maximal
    /// ill-formed part, rather than failing.
    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    /// A number that reads back as the same double; null when it is not finite.
    JsonWriter& value(double number);
    JsonWriter& value(bool truth);
    template <class Integer>
    requires(std::is_integral_v<Integer> &&
             !std::is_same_v<Integer, bool>) JsonWriter& value(Integer number)
    {
        startValue();
        text_ += std::to_string(number);
        return *this;
    }
    JsonWriter& null();

    /// A member: its name and value.
    template <class Value> JsonWriter& member(std::string_view name, const Value& v)
    {
        return key(name).value(v);
    }

    /// The text written so far.
    [[nodiscard]] const std::string& text() const { return text_; }

private:
    void startValue();
    void startItem();
    void close(char bracket);
    void writeString(std::string_view text);

    int indent_;
    std::string text_;
    // Per open object or array, whether nothing is written in it yet ('1') or something is
    // ('0'): a string, which the web build has already, rather than a vector of its own.
    std::string empty_;
    bool afterKey_ = false;
};

} // namespace report
