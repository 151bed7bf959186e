// What both of the page's modules answer to the tool's texts of a birth: the texts arrive
// as one block (each a four-byte little-endian length and its UTF-8 bytes, so that any text
// at all, a NUL included, arrives whole), and the answer is selenoscope-cli's --json of the
// reading, the details or the periods, or {"error": message} with the tool's own words. The
// core module answers births by zone or offset; the atlas's module those by a place.
#pragma once

#include "birth/BirthDataChecks.h"
#include "report/BirthInput.h"
#include "report/JsonWriter.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace web {

/// The texts of one block, in the order the page wrote them; "" for any the block lacks.
class Block
{
public:
    Block(const unsigned char* bytes, std::size_t size);

    [[nodiscard]] std::string_view operator[](std::size_t i) const
    {
        return i < texts_.size() ? texts_[i] : std::string_view();
    }

private:
    std::vector<std::string_view> texts_;
};

/// One birth as the page's form gives it: the entry window's fields (name, month, day,
/// year, hour, minute, zone hour and minutes, longitude and latitude degrees and minutes,
/// then East, South and DST as "1" or "0"), then the clock's true offset in seconds or
/// nothing for the zone fields' rule.
struct FormBirth
{
    birth::BirthDataFields fields;
    std::optional<int> utcOffsetSeconds; // none: the zone fields' rule
};

FormBirth readForm(const Block& block);

/// The module's last answer; the page copies it out before its next call.
std::string& answer();

/// Keeps the text as the last answer; the answer's text, NUL-terminated.
const char* answerWith(std::string text);

/// {"error": message}: a module's refusal.
std::string errorJson(std::string_view message);

/// The "place" member of an answer about a birth by a place.
using PlaceMemberWriter = void (*)(report::JsonWriter& json, const report::ResolvedBirth& birth);

enum class ToolCommand { Reading, Details, Dasha };

/// The answer to the block's birth texts (date, time, longitude, latitude, zone, dst,
/// utc_offset, place, occurrence) and the periods' options (year_days, time_uncertainty,
/// levels). Places need both the locator and the writer; without them a place is refused.
std::string toolAnswer(ToolCommand command, const Block& block,
                       const report::PlaceLocator* places = nullptr,
                       PlaceMemberWriter writePlace = nullptr);

} // namespace web
