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
#include "web/ToolAnswer.h"

#include <algorithm>
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

using web::answer;
using web::answerWith;

using birth::BirthDataFields;
using report::JsonWriter;
using web::Block;
using web::readForm;

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

/// The form's birth ready for the computation, or the refusal's answer.
std::variant<modEphemeris::BirthMoment, std::string> formMoment(const web::FormBirth& birth)
{
    auto read = birth::ReadBirthData(birth.fields);
    if (const auto* refusal = std::get_if<birth::Refusal>(&read))
        return refusalJson(*refusal);
    return modEphemeris::BirthMoment{std::get<modEphemeris::BirthData>(read),
                                     birth.utcOffsetSeconds};
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
        .member("frontOffer",
                FrontOfferFor(number) == FrontOffer::FullBrand ? "fullbrand" : "cobrand");
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
        json.beginObject()
            .member("words", report::EdgeNote(edge))
            .member("warning", true)
            .endObject();
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
    report::WriteReadings(
        json, modEphemeris::ComputeMoonReadings(std::get<modEphemeris::BirthMoment>(moment)));
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
    return answerWith(detailsWords(
        modEphemeris::ComputeMoonDetails(std::get<modEphemeris::BirthMoment>(moment))));
}

/// The module's answers to the tool's texts of a birth (see web::toolAnswer): command 0
/// the readings, 1 the details, 2 the periods. A birth by a place is the atlas module's.
const char* selenoscope_tool(int command, const unsigned char* bytes, std::size_t size)
{
    return answerWith(web::toolAnswer(static_cast<web::ToolCommand>(std::clamp(command, 0, 2)),
                                      web::Block(bytes, size)));
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
