// The page's door into the C++ units: plain C functions that take a birth as texts and
// answer in JSON. The page writes the texts into the module's memory as one block, each
// text a four-byte length (little-endian) and its UTF-8 bytes, so that any text at all, a
// NUL included, arrives whole; it reads the answer from there. Nothing the page shows is
// computed or checked in JavaScript: the lists, the key filters, the checks and their
// messages, the readings, the details' words, the periods, the time zones and the maker's
// links all come from here.
#include "atlas/ZoneTable.h"
#include "birth/BirthDataChecks.h"
#include "birth/EntryBoxes.h"
#include "ephemeris/MoonDetails.h"
#include "ephemeris/modEphemeris.h"
#include "report/BirthInput.h"
#include "report/DetailsWords.h"
#include "report/JsonWriter.h"
#include "report/ReadingJson.h"
#include "shell/CoBrandRule.h"
#include "shell/SiteLinks.h"
#include "timezone/TimeZoneTable.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace {

using birth::BirthDataFields;
using report::JsonWriter;

/// The texts of one block, in the order the page wrote them; "" for any the block lacks.
class Block
{
public:
    Block(const unsigned char* bytes, std::size_t size)
    {
        std::size_t at = 0;
        while (at + 4 <= size) {
            const std::uint32_t length = bytes[at] | (bytes[at + 1] << 8U) |
                                         (bytes[at + 2] << 16U) |
                                         (static_cast<std::uint32_t>(bytes[at + 3]) << 24U);
            at += 4;
            if (length > size - at)
                break; // a damaged block ends here
            texts_.emplace_back(reinterpret_cast<const char*>(bytes + at), length);
            at += length;
        }
    }

    [[nodiscard]] std::string_view operator[](std::size_t i) const
    {
        return i < texts_.size() ? texts_[i] : std::string_view();
    }

private:
    std::vector<std::string_view> texts_;
};

// The entry window's fields in a block, in this order; the choices as "1" or "0", then the
// clock's true offset in seconds, or nothing for the zone fields' rule.
constexpr std::array<std::string BirthDataFields::*, 12> kFieldTexts{
    &BirthDataFields::name,
    &BirthDataFields::month,
    &BirthDataFields::day,
    &BirthDataFields::year,
    &BirthDataFields::hour,
    &BirthDataFields::minute,
    &BirthDataFields::zoneHour,
    &BirthDataFields::zoneMinute,
    &BirthDataFields::longitudeDegrees,
    &BirthDataFields::longitudeMinutes,
    &BirthDataFields::latitudeDegrees,
    &BirthDataFields::latitudeMinutes,
};
constexpr std::array<bool BirthDataFields::*, 3> kFieldChoices{
    &BirthDataFields::east,
    &BirthDataFields::south,
    &BirthDataFields::daylightSaving,
};

/// One birth as the page's form gives it.
struct FormBirth
{
    BirthDataFields fields;
    std::optional<int> utcOffsetSeconds; // none: the zone fields' rule
};

FormBirth readForm(const Block& block)
{
    FormBirth birth;
    std::size_t i = 0;
    for (std::string BirthDataFields::*text : kFieldTexts)
        birth.fields.*text = block[i++];
    for (bool BirthDataFields::*choice : kFieldChoices)
        birth.fields.*choice = block[i++] == "1";
    const std::string_view offset = block[i];
    int seconds = 0;
    const auto [end, error] =
        std::from_chars(offset.data(), offset.data() + offset.size(), seconds);
    if (!offset.empty() && error == std::errc() && end == offset.data() + offset.size())
        birth.utcOffsetSeconds = seconds;
    return birth;
}

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
    kYearDays,
    kTimeUncertainty,
    kLevels,
};

/// The last answer; the page copies it out before its next call.
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

std::string_view iconName(birth::Refusal::Icon icon)
{
    return icon == birth::Refusal::Icon::Critical ? "critical" : "information";
}

/// {"refusal":{"message":...,"icon":...,"focus":...}}: the window's message and icon, and
/// the control that takes the focus (null: it stays where it was).
std::string refusalJson(const birth::Refusal& refusal)
{
    JsonWriter json;
    json.beginObject().key("refusal").beginObject();
    json.member("message", refusal.message).member("icon", iconName(refusal.icon)).key("focus");
    if (refusal.takesFocus)
        json.value(birth::controlName(refusal.field));
    else
        json.null();
    json.endObject().endObject();
    return json.text();
}

/// {"error": message}: the module's refusal.
std::string errorJson(std::string_view message)
{
    JsonWriter json;
    json.beginObject().member("error", message).endObject();
    return json.text();
}

/// The form's birth ready for the computation, or the refusal's answer.
std::variant<modEphemeris::BirthMoment, std::string> formMoment(const FormBirth& birth)
{
    auto read = birth::ReadBirthData(birth.fields);
    if (const auto* refusal = std::get_if<birth::Refusal>(&read))
        return refusalJson(*refusal);
    return modEphemeris::BirthMoment{std::get<modEphemeris::BirthData>(read),
                                     birth.utcOffsetSeconds};
}

/// The tool's birth ready for the computation, or {"error": message}.
std::variant<modEphemeris::BirthMoment, std::string> toolMoment(const Block& block)
{
    const std::string_view dst = block[kDst];
    if (dst != "" && dst != "true" && dst != "false")
        return errorJson("dst must be true or false");
    report::BirthTexts texts;
    texts.date = block[kDate];
    texts.time = block[kTime];
    texts.longitude = block[kLongitude];
    texts.latitude = block[kLatitude];
    texts.zone = block[kZone];
    texts.daylightSaving = dst == "true";
    texts.utcOffset = block[kUtcOffset];
    texts.place = block[kPlace];
    auto resolved = report::ResolveBirth(texts, nullptr); // places come with the atlas
    if (const auto* refusal = std::get_if<std::string>(&resolved))
        return errorJson(*refusal);
    return std::get<report::ResolvedBirth>(resolved).moment;
}

/// A number of the periods' options, or its default when the text is empty; NaN when it is
/// no number, which the periods' own check refuses with its words.
double optionNumber(std::string_view text, double absent)
{
    if (text.empty())
        return absent;
    return birth::FieldText::NumericValue(text).value_or(std::numeric_limits<double>::quiet_NaN());
}

void writeLists(JsonWriter& json)
{
    json.key("lists").beginObject();
    for (const birth::EntryList& list : birth::kEntryLists) {
        json.key(list.name).beginArray();
        if (const auto* names = std::get_if<std::span<const std::string_view>>(&list.items)) {
            for (const std::string_view name : *names)
                json.value(name);
        } else {
            const birth::Range range = std::get<birth::Range>(list.items);
            for (int n = range.first; n <= range.last; ++n)
                json.value(std::to_string(n));
        }
        json.endArray();
    }
    json.endObject();
}

void writeBoxes(JsonWriter& json)
{
    json.key("boxes").beginObject();
    for (const birth::EntryBox& box : birth::kEntryBoxes) {
        json.key(box.name).beginObject().member("maxLength", box.maxLength).key("refused");
        if (box.keys != nullptr) {
            json.beginObject()
                .member("message", box.keys->message)
                .member("icon", iconName(box.keys->icon))
                .endObject();
        } else {
            json.null();
        }
        json.endObject();
    }
    json.endObject();
}

void writeZones(JsonWriter& json)
{
    json.key("zones").beginArray();
    for (const TimeZoneRow& row : kTimeZoneRows) {
        json.beginObject()
            .member("text", row.DisplayText)
            .member("hour", ZoneHourText(row))
            .member("minute", ZoneMinuteText(row))
            .endObject();
    }
    json.endArray();
}

void writeLinks(JsonWriter& json)
{
    json.key("links").beginObject();
    for (const shell::SitePagePath& page : shell::kSitePages)
        json.member(page.key, shell::SitePageAddress(page.page));
    json.endObject();
    json.member("banner", shell::BannerText(shell::BannerWording::DiscussionBoard))
        .member("fullBrandOffer", shell::kFullBrandOffer)
        .member("coBrandOffer", shell::kCoBrandOffer);
    // One draw a page, as the window draws once a start.
    SeedRandomFromClock();
    const int number = CoBrandNumber(NextRandomSingle());
    json.member("coBrandNumber", number)
        .member("frontOffer", FrontOfferFor(number) == FrontOffer::FullBrand ? "fullbrand"
                                                                             : "cobrand");
}

void writeFacts(JsonWriter& json, std::string_view name, const auto& lines, const auto& subject,
                const modEphemeris::CivilTime& birth)
{
    json.key(name).beginArray();
    for (const auto& line : lines) {
        json.beginObject()
            .member("name", line.name)
            .member("caption", line.caption)
            .member("text", line.text(subject, birth))
            .endObject();
    }
    json.endArray();
}

/// A note on an edge: the words and whether they warn; null when there is nothing to say.
void writeNote(JsonWriter& json, std::string_view name, const modEphemeris::EdgeNearness& edge)
{
    json.key(name);
    if (edge.onEdge)
        json.beginObject().member("words", report::EdgeNote(edge)).member("warning", true).endObject();
    else
        json.null();
}

/// The details window's words for the form's birth, a build without the precise Moon.
std::string detailsWords(const modEphemeris::MoonDetails& details)
{
    const modEphemeris::CivilTime& birth = details.instant.local;
    JsonWriter json;
    json.beginObject();
    writeFacts(json, "instant", report::kInstantFacts, details.instant, birth);
    json.key("readings").beginArray();
    for (std::size_t i = 0; i < details.rows.size(); ++i) {
        const modEphemeris::MoonDetailRow& row = details.rows[i];
        json.beginObject()
            .member("caption", report::kReadingNames[i].caption)
            .member("accessible", report::kReadingNames[i].accessible)
            .member("text", row.text);
        writeFacts(json, "sign", report::kSignFacts, row, birth);
        writeNote(json, "signNote", row.signEdge);
        if (row.nakshatra) {
            writeFacts(json, "nakshatra", report::kNakshatraFacts, *row.nakshatra, birth);
            writeNote(json, "nakshatraNote", row.nakshatra->edge);
        }
        json.endObject();
    }
    json.endArray();
    json.member("footnote", report::DetailsFootnote(false));
    json.endObject();
    return json.text();
}

} // namespace

extern "C" {

/// What the form is built from: {"lists":{...},"boxes":{...},"zones":[...],"links":{...},
/// "banner":...,"fullBrandOffer":...,"coBrandOffer":...,"coBrandNumber":...,"frontOffer":...}.
const char* selenoscope_page()
{
    JsonWriter json;
    json.beginObject();
    writeLists(json);
    writeBoxes(json);
    writeZones(json);
    writeLinks(json);
    json.endObject();
    return answerWith(json.text());
}

/// A character typed into the named box: the character that arrives (capitalised where the
/// box says so), or 0 when the box refuses it. Boxes without a rule take everything.
std::uint32_t selenoscope_key(const char* box, std::uint32_t typed)
{
    const birth::EntryBox* entry = birth::entryBox(box);
    if (entry == nullptr || entry->keys == nullptr)
        return typed;
    return entry->keys->accepts(typed) ? entry->keys->arriving(typed) : 0;
}

/// The form's four readings: {"sidereal":{"geocentric":...,"topocentric":...},"tropical":
/// {...}}, or the refusal (refusalJson).
const char* selenoscope_reading(const unsigned char* bytes, std::size_t size)
{
    auto moment = formMoment(readForm(Block(bytes, size)));
    if (auto* refusal = std::get_if<std::string>(&moment))
        return answerWith(std::move(*refusal));
    JsonWriter json;
    json.beginObject();
    report::WriteReadings(json,
                          modEphemeris::ComputeMoonReadings(std::get<modEphemeris::BirthMoment>(moment)));
    json.endObject();
    return answerWith(json.text());
}

/// The form's details in the shape of selenoscope-cli details --json, or the refusal.
const char* selenoscope_details(const unsigned char* bytes, std::size_t size)
{
    auto moment = formMoment(readForm(Block(bytes, size)));
    if (auto* refusal = std::get_if<std::string>(&moment))
        return answerWith(std::move(*refusal));
    JsonWriter json;
    json.beginObject();
    report::WriteDetails(
        json, modEphemeris::ComputeMoonDetails(std::get<modEphemeris::BirthMoment>(moment)),
        std::nullopt);
    json.endObject();
    return answerWith(json.text());
}

/// The form's details in the details window's words, or the refusal.
const char* selenoscope_details_words(const unsigned char* bytes, std::size_t size)
{
    auto moment = formMoment(readForm(Block(bytes, size)));
    if (auto* refusal = std::get_if<std::string>(&moment))
        return answerWith(std::move(*refusal));
    return answerWith(
        detailsWords(modEphemeris::ComputeMoonDetails(std::get<modEphemeris::BirthMoment>(moment))));
}

/// The module's answers to the tool's texts of a birth: command 0 the readings, 1 the
/// details, 2 the periods, each in the shape of selenoscope-cli's --json; or {"error": ...}
/// with the message the tool gives.
const char* selenoscope_tool(int command, const unsigned char* bytes, std::size_t size)
{
    const Block block(bytes, size);
    auto moment = toolMoment(block);
    if (auto* error = std::get_if<std::string>(&moment))
        return answerWith(std::move(*error));
    const modEphemeris::BirthMoment& m = std::get<modEphemeris::BirthMoment>(moment);
    JsonWriter json;
    json.beginObject();
    switch (command) {
    case 0:
        report::WriteReadings(json, modEphemeris::ComputeMoonReadings(m));
        break;
    case 1:
        report::WriteDetails(json, modEphemeris::ComputeMoonDetails(m), std::nullopt);
        break;
    default: {
        const report::DashaCounting defaults;
        const double levels = optionNumber(block[kLevels], defaults.levels);
        // Levels that are no small whole number are none of 1, 2 or 3, which the check says.
        const bool whole = levels >= 0 && levels <= 9 && std::floor(levels) == levels;
        const int wholeLevels = whole ? static_cast<int>(levels) : 0;
        const auto periods = report::DashaFor(
            m, {optionNumber(block[kYearDays], defaults.yearDays),
                optionNumber(block[kTimeUncertainty], defaults.birthTimeMinutes), wholeLevels});
        if (const auto* error = std::get_if<std::string>(&periods))
            return answerWith(errorJson(*error));
        report::WriteDasha(json, std::get<report::DashaReport>(periods));
        break;
    }
    }
    json.endObject();
    return answerWith(json.text());
}

/// Bytes of the last answer, without its NUL.
std::size_t selenoscope_answer_size()
{
    return answer().size();
}

/// The zone table fetched with the page (zones.table): 1 when the clock reads from it now,
/// 0 when it is damaged (the reason is the answer).
int selenoscope_use_zones(const unsigned char* bytes, std::size_t size)
{
    std::string error;
    atlas::ZoneTable table = atlas::ZoneTable::read(std::span(bytes, size), error);
    if (!error.empty()) {
        answerWith(error);
        return 0;
    }
    atlas::useZoneTable(std::move(table));
    answerWith({});
    return 1;
}

/// The last answer, NUL-terminated.
const char* selenoscope_answer()
{
    return answer().c_str();
}

} // extern "C"
