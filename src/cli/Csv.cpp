#include "cli/Csv.h"

#include <cstring>

namespace csv {
namespace {

constexpr char kQuote = '"';

/// Reads the quoted field whose opening quote is at text[open] into the record; returns
/// where the field ends: at its comma or at the end of the text.
std::size_t SplitQuoted(std::string_view text, std::size_t open, Record& record)
{
    const std::size_t start = open + 1;
    const std::size_t firstCopied = record.unescaped.size();
    std::size_t uncopied = start; // content from here on is not in unescaped yet
    bool copied = false;
    for (std::size_t from = start;;) {
        const std::size_t quote = text.find(kQuote, from);
        if (quote == std::string_view::npos) {
            record.problem = Problem::UnclosedQuote;
            if (!copied) {
                record.fields.push_back(text.substr(start));
                return text.size();
            }
            record.unescaped.append(text.substr(uncopied));
            record.fields.emplace_back(record.unescaped.data() + firstCopied,
                                       record.unescaped.size() - firstCopied);
            return text.size();
        }
        if (quote + 1 < text.size() && text[quote + 1] == kQuote) {
            // A doubled quote: the content up to it and one quote.
            record.unescaped.append(text.substr(uncopied, quote + 1 - uncopied));
            copied = true;
            uncopied = from = quote + 2;
            continue;
        }
        std::size_t end = quote + 1;
        const bool trailing = end < text.size() && text[end] != ',';
        if (!copied && !trailing) {
            record.fields.push_back(text.substr(start, quote - start));
            return end;
        }
        record.unescaped.append(text.substr(uncopied, quote - uncopied));
        if (trailing) {
            // Kept as text up to the next comma, so nothing of the row is lost.
            record.problem = Problem::TextAfterClosingQuote;
            const std::size_t comma = text.find(',', end);
            const std::size_t stop = comma == std::string_view::npos ? text.size() : comma;
            record.unescaped.append(text.substr(end, stop - end));
            end = stop;
        }
        record.fields.emplace_back(record.unescaped.data() + firstCopied,
                                   record.unescaped.size() - firstCopied);
        return end;
    }
}

} // namespace

std::string_view Describe(Problem problem)
{
    switch (problem) {
    case Problem::None:
        return {};
    case Problem::QuoteInUnquotedField:
        return "The row is not valid CSV: a double quote inside a field that does not begin "
               "with one";
    case Problem::TextAfterClosingQuote:
        return "The row is not valid CSV: text after the closing quote of a field";
    case Problem::UnclosedQuote:
        return "The row is not valid CSV: a quoted field is not closed before the end of the "
               "input";
    }
    return {};
}

void SplitRecord(std::string_view text, Record& record)
{
    record.fields.clear();
    record.unescaped.clear();
    // Unescaped content is never longer than the text: the views into it stay valid.
    record.unescaped.reserve(text.size());
    record.problem = Problem::None;
    std::size_t pos = 0;
    for (;;) {
        std::size_t end = 0;
        if (pos < text.size() && text[pos] == kQuote) {
            end = SplitQuoted(text, pos, record);
        } else {
            // Fields are short: a plain loop beats a library search per field.
            bool quote = false;
            for (end = pos; end < text.size() && text[end] != ','; ++end)
                quote = quote || text[end] == kQuote;
            if (quote && record.problem == Problem::None)
                record.problem = Problem::QuoteInUnquotedField;
            record.fields.push_back(text.substr(pos, end - pos));
        }
        if (end >= text.size())
            return;
        pos = end + 1; // past the comma
    }
}

std::string_view WithoutLineEnd(std::string_view record)
{
    if (record.ends_with('\n'))
        record.remove_suffix(1);
    if (record.ends_with('\r'))
        record.remove_suffix(1);
    return record;
}

void AppendQuoted(std::string& row, std::string_view field)
{
    std::size_t quotes = 0;
    for (const char c : field)
        quotes += c == kQuote ? 1 : 0;
    // Sized once and written in place: this runs four times for every row of a batch.
    const std::size_t at = row.size();
    row.resize(at + field.size() + quotes + 2);
    char* out = row.data() + at;
    *out++ = kQuote;
    for (const char c : field) {
        if (c == kQuote)
            *out++ = kQuote;
        *out++ = c;
    }
    *out = kQuote;
}

void AppendField(std::string& row, std::string_view field)
{
    if (field.find_first_of(",\"\r\n") != std::string_view::npos)
        AppendQuoted(row, field);
    else
        row.append(field);
}

void RecordScanner::Scan(std::string_view bytes, std::size_t from, std::vector<std::size_t>& ends)
{
    const char* data = bytes.data();
    const std::size_t size = bytes.size();
    State state = state_;
    std::size_t i = from;
    while (i < size) {
        if (state == State::Quoted) {
            // Inside quotes only a quote matters: skip to it.
            const void* quote = std::memchr(data + i, kQuote, size - i);
            if (quote == nullptr) {
                i = size;
                break;
            }
            i = static_cast<std::size_t>(static_cast<const char*>(quote) - data) + 1;
            state = State::QuoteInQuoted;
            continue;
        }
        const char c = data[i++];
        if (state == State::AfterCarriageReturn) {
            // The record ended at the CR; an LF right after it is part of that line end.
            if (c == '\n') {
                ends.push_back(i);
                state = State::FieldStart;
                continue;
            }
            ends.push_back(i - 1);
            state = State::FieldStart; // and c begins the next record
        }
        if (c == kQuote && (state == State::FieldStart || state == State::QuoteInQuoted)) {
            state = State::Quoted; // a quoted field opens, or a doubled quote goes on with it
        } else if (c == '\n') {
            ends.push_back(i);
            state = State::FieldStart;
        } else if (c == '\r') {
            state = State::AfterCarriageReturn; // where it ends waits for the next byte
        } else if (c == ',') {
            state = State::FieldStart;
        } else {
            state = State::Unquoted;
        }
    }
    state_ = state;
}

} // namespace csv
