#include "web/ToolAnswer.h"

#include "birth/BirthDataChecks.h"
#include "ephemeris/MoonDetails.h"
#include "ephemeris/modEphemeris.h"
#include "report/ReadingJson.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <variant>

namespace web {
namespace {

using report::JsonWriter;

// The tool's texts of a birth in a block (selenoscope-cli's options), in this order, then
// the periods' three numbers.
enum ToolText : std::size_t {
    kDate,
    kTime,
    kLongitude,
    kLatitude,
    kZone,
    kDst,
    kUtcOffset,
    kPlace,
    kOccurrence,
    kYearDays,
    kTimeUncertainty,
    kLevels,
};

// The entry window's fields in a form's block, in this order.
constexpr std::array<std::string birth::BirthDataFields::*, 12> kFieldTexts{
    &birth::BirthDataFields::name,
    &birth::BirthDataFields::month,
    &birth::BirthDataFields::day,
    &birth::BirthDataFields::year,
    &birth::BirthDataFields::hour,
    &birth::BirthDataFields::minute,
    &birth::BirthDataFields::zoneHour,
    &birth::BirthDataFields::zoneMinute,
    &birth::BirthDataFields::longitudeDegrees,
    &birth::BirthDataFields::longitudeMinutes,
    &birth::BirthDataFields::latitudeDegrees,
    &birth::BirthDataFields::latitudeMinutes,
};
constexpr std::array<bool birth::BirthDataFields::*, 3> kFieldChoices{
    &birth::BirthDataFields::east,
    &birth::BirthDataFields::south,
    &birth::BirthDataFields::daylightSaving,
};

/// The tool's birth ready for the computation, or {"error": message}.
std::variant<report::ResolvedBirth, std::string> toolBirth(const Block& block,
                                                           const report::PlaceLocator* places)
{
    const std::string_view dst = block[kDst];
    if (dst != "" && dst != "true" && dst != "false")
        return errorJson("dst must be true or false");
    const std::string_view occurrence = block[kOccurrence];
    if (occurrence != "" && occurrence != "first" && occurrence != "second")
        return errorJson("occurrence must be first or second");
    report::BirthTexts texts;
    texts.date = block[kDate];
    texts.time = block[kTime];
    texts.longitude = block[kLongitude];
    texts.latitude = block[kLatitude];
    texts.zone = block[kZone];
    texts.daylightSaving = dst == "true";
    texts.utcOffset = block[kUtcOffset];
    texts.place = block[kPlace];
    texts.occurrence =
        occurrence == "second" ? modEphemeris::Occurrence::Second : modEphemeris::Occurrence::First;
    auto resolved = report::ResolveBirth(texts, places);
    if (const auto* refusal = std::get_if<std::string>(&resolved))
        return errorJson(*refusal);
    return std::get<report::ResolvedBirth>(std::move(resolved));
}

/// A number of the periods' options, or its default when the text is empty; NaN when it is
/// no number, which the periods' own check refuses with its words.
double optionNumber(std::string_view text, double absent)
{
    if (text.empty())
        return absent;
    return birth::FieldText::NumericValue(text).value_or(std::numeric_limits<double>::quiet_NaN());
}

} // namespace

Block::Block(const unsigned char* bytes, std::size_t size)
{
    std::size_t at = 0;
    while (at + 4 <= size) {
        const std::uint32_t length = bytes[at] | (bytes[at + 1] << 8U) | (bytes[at + 2] << 16U) |
                                     (static_cast<std::uint32_t>(bytes[at + 3]) << 24U);
        at += 4;
        if (length > size - at)
            break; // a damaged block ends here
        texts_.emplace_back(reinterpret_cast<const char*>(bytes + at), length);
        at += length;
    }
}

FormBirth readForm(const Block& block)
{
    FormBirth form;
    std::size_t i = 0;
    for (std::string birth::BirthDataFields::*text : kFieldTexts)
        form.fields.*text = block[i++];
    for (bool birth::BirthDataFields::*choice : kFieldChoices)
        form.fields.*choice = block[i++] == "1";
    const std::string_view offset = block[i];
    int seconds = 0;
    const auto [end, error] =
        std::from_chars(offset.data(), offset.data() + offset.size(), seconds);
    if (!offset.empty() && error == std::errc() && end == offset.data() + offset.size())
        form.utcOffsetSeconds = seconds;
    return form;
}

std::string& answer()
{
    static std::string text;
    return text;
}

const char* answerWith(std::string text)
{
    answer() = std::move(text);
    return answer().c_str();
}

std::string errorJson(std::string_view message)
{
    JsonWriter json;
    json.beginObject().member("error", message).endObject();
    return json.text();
}

std::string toolAnswer(ToolCommand command, const Block& block, const report::PlaceLocator* places,
                       PlaceMemberWriter writePlace)
{
    auto resolved = toolBirth(block, writePlace != nullptr ? places : nullptr);
    if (auto* error = std::get_if<std::string>(&resolved))
        return std::move(*error);
    const report::ResolvedBirth& birth = std::get<report::ResolvedBirth>(resolved);
    const modEphemeris::BirthMoment& m = birth.moment;
    JsonWriter json;
    json.beginObject();
    switch (command) {
    case ToolCommand::Reading:
        report::WriteReadings(json, modEphemeris::ComputeMoonReadings(m));
        break;
    case ToolCommand::Details:
        report::WriteDetails(json, modEphemeris::ComputeMoonDetails(m), std::nullopt);
        break;
    case ToolCommand::Dasha: {
        const report::DashaCounting defaults;
        const double levels = optionNumber(block[kLevels], defaults.levels);
        // Levels that are no small whole number are none of 1, 2 or 3, which the check says.
        const bool whole = levels >= 0 && levels <= 9 && std::floor(levels) == levels;
        const int wholeLevels = whole ? static_cast<int>(levels) : 0;
        const auto periods = report::DashaFor(
            m, {optionNumber(block[kYearDays], defaults.yearDays),
                optionNumber(block[kTimeUncertainty], defaults.birthTimeMinutes), wholeLevels});
        if (const auto* error = std::get_if<std::string>(&periods))
            return errorJson(*error);
        report::WriteDasha(json, std::get<report::DashaReport>(periods));
        break;
    }
    }
    if (writePlace != nullptr)
        writePlace(json, birth);
    json.endObject();
    return json.text();
}

} // namespace web
