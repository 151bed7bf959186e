// Comma-separated values as RFC 4180 writes them: fields quoted when they hold a
// comma, a double quote or a line break, a double quote inside a quoted field
// doubled; records ending in CR LF, LF or a lone CR (as older spreadsheets write
// them). Small and strict: the batch's fast path.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace csv {

/// What makes a record break the rules; None for a well-formed record.
enum class Problem {
    None,
    QuoteInUnquotedField, // a double quote inside a field that does not begin with one
    TextAfterClosingQuote,
    UnclosedQuote, // the input ended inside a quoted field
};

/// The problem in words.
std::string_view Describe(Problem problem);

/// One record split into its fields. Reused from record to record, so that splitting
/// allocates nothing once the buffers have grown.
struct Record
{
    std::vector<std::string_view> fields; // views into the record's text or into unescaped
    std::string unescaped;                // quoted fields whose doubled quotes were undone
    Problem problem = Problem::None;
};

/// Splits a record's text (its line end taken off) into fields. A record that breaks the
/// rules is still split, leniently: a stray quote is kept as text, an unclosed quoted field
/// runs to the end. The fields stay valid while text and the record are left alone.
void SplitRecord(std::string_view text, Record& record);

/// The record's text without its line end ("\n", "\r\n" or "\r").
std::string_view WithoutLineEnd(std::string_view record);

/// Appends a field to a row, quoted when it must be.
void AppendField(std::string& row, std::string_view field);

/// Appends a field in quotes whatever it holds.
void AppendQuoted(std::string& row, std::string_view field);

/// Finds where records end in a stream of bytes, a line break inside quotes
/// belonging to its field. Feed the bytes in order, in pieces of any size.
class RecordScanner
{
public:
    /// Scans bytes[from, size) and appends to ends the offset just past each line end
    /// that closes a record (offsets count from bytes.data()). A CR at the very end is
    /// not counted until the next byte says whether an LF belongs to it: at the end of
    /// the input, the caller ends the last record there.
    void Scan(std::string_view bytes, std::size_t from, std::vector<std::size_t>& ends);

    /// Whether the bytes scanned so far end inside a quoted field.
    [[nodiscard]] bool InsideQuotes() const { return state_ == State::Quoted; }

    /// Starts again at the beginning of a record.
    void Reset() { state_ = State::FieldStart; }

private:
    enum class State { FieldStart, Unquoted, Quoted, QuoteInQuoted, AfterCarriageReturn };
    State state_ = State::FieldStart;
};

} // namespace csv
