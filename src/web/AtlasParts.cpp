// The page's door into the offline atlas: a WebAssembly module of its own
// (selenoscope-atlas.mjs and .wasm), loaded on the first search, never with the page.
// The page hands it the atlas's common part, then each part a search needs, as bytes it
// fetched; the search answers with selenoscope-cli place --json's rows. Texts go in as
// NUL-terminated UTF-8 in the module's memory, answers come out as JSON text.
#include "atlas/AtlasTexts.h"
#include "atlas/IndexParts.h"
#include "atlas/PlaceChoice.h"
#include "atlas/PlaceJson.h"
#include "atlas/ZoneTable.h"
#include "birth/BirthDataChecks.h"
#include "birth/BirthRanges.h"
#include "report/JsonWriter.h"
#include "report/PlaceQuery.h"
#include "web/ToolAnswer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <memory>
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

using atlas::CivilTime;
using report::JsonWriter;

std::unique_ptr<atlas::IndexParts>& atlasParts()
{
    static std::unique_ptr<atlas::IndexParts> parts;
    return parts;
}

int refuse(std::string message)
{
    answerWith(std::move(message));
    return 0;
}

std::string refusalJson(std::string_view message)
{
    JsonWriter json;
    json.beginObject().key("refusal").beginObject().key("message").value(message);
    json.endObject().endObject();
    return json.text();
}

std::string partName(std::uint32_t number)
{
    return number == atlas::format::kCommonPart ? "The atlas's common part"
                                                : "The atlas's part " + atlas::partFileName(number);
}

/// A search as the page asks it.
struct Search
{
    std::string text;
    std::size_t limit = atlas::kMaxRows;
    std::optional<CivilTime> local; // the birth's local date and time: each row's clock then
    atlas::Occurrence occurrence = atlas::Occurrence::First;
};

std::optional<int> number(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// The local date and time's parts, with the ranges the entry window's lists offer.
struct TimePart
{
    int CivilTime::*field;
    birth::Range range;
};
constexpr std::array<TimePart, 5> kTimeParts{{{&CivilTime::year, birth::kYears},
                                              {&CivilTime::month, birth::kMonths},
                                              {&CivilTime::day, birth::kDays},
                                              {&CivilTime::hour, birth::kHours},
                                              {&CivilTime::minute, birth::kMinutes}}};

/// The block: the text, the limit, then the year, month, day, hour and minute (all
/// empty: no clock) and "1" for the second occurrence of a repeated time; each
/// NUL-terminated. The search, or the refusal's message.
std::variant<Search, std::string> readSearch(const char* block)
{
    auto next = [&block]() {
        const std::string_view text(block);
        block += text.size() + 1;
        return text;
    };
    Search search;
    search.text = next();
    const std::optional<int> limit = number(next());
    if (!limit || *limit < 0 || static_cast<std::size_t>(*limit) > atlas::kMaxRows)
        return std::string("The atlas lists 0 to 50 places");
    search.limit = static_cast<std::size_t>(*limit);
    CivilTime local{};
    bool given = false;
    bool missing = false;
    for (const TimePart& part : kTimeParts) {
        const std::string_view text = next();
        const std::optional<int> value = number(text);
        given = given || !text.empty();
        missing = missing || !value || !part.range.contains(*value);
        local.*part.field = value.value_or(0);
    }
    if (given && missing)
        return std::string("The birth's date and time must be those the entry lists offer");
    if (given) {
        if (const auto refusal = birth::ValidateDate(local.year, local.month, local.day))
            return refusal->message;
        search.local = local;
    }
    search.occurrence = next() == "1" ? atlas::Occurrence::Second : atlas::Occurrence::First;
    return search;
}

/// The places found, each chosen for the birth's local time; or the refusal's message.
std::variant<std::vector<atlas::PlaceChoice>, std::string> choices(const Search& search)
{
    const atlas::IndexParts* parts = atlasParts().get();
    if (parts == nullptr)
        return std::string("The atlas is not open");
    const atlas::IndexParts::Found found = parts->find(search.text, search.limit);
    if (found.index == nullptr)
        return std::string("The atlas's parts for this search have not arrived");
    std::vector<atlas::PlaceChoice> chosen;
    for (const atlas::PlaceHit& hit : found.hits) {
        chosen.push_back(
            atlas::choosePlace(found.index->place(hit.id), search.local, search.occurrence));
        chosen.back().matchedName = hit.otherName;
    }
    return chosen;
}

/// Row (from 0) of the search the block asks, chosen; or the refusal's message.
std::variant<atlas::PlaceChoice, std::string> chosenRow(const char* block, int row)
{
    auto search = readSearch(block);
    if (auto* refusal = std::get_if<std::string>(&search))
        return std::move(*refusal);
    auto found = choices(std::get<Search>(search));
    if (auto* refusal = std::get_if<std::string>(&found))
        return std::move(*refusal);
    auto& chosen = std::get<std::vector<atlas::PlaceChoice>>(found);
    if (row < 0 || static_cast<std::size_t>(row) >= chosen.size())
        return std::string("No place is listed there");
    return std::move(chosen[static_cast<std::size_t>(row)]);
}

/// The first place a birth's place text finds, over the parts that have arrived.
class PartsLocator final : public report::PlaceLocator
{
public:
    [[nodiscard]] std::variant<report::LocatedPlace, std::string>
    Locate(std::string_view query, const CivilTime& local, atlas::Occurrence occurrence,
           birth::BirthDataFields& fields) const override
    {
        auto found = choices(Search{std::string(query), 1, local, occurrence});
        if (auto* refusal = std::get_if<std::string>(&found))
            return std::move(*refusal);
        return atlas::locateFirst(std::get<std::vector<atlas::PlaceChoice>>(std::move(found)),
                                  fields);
    }
};

void textsJson(JsonWriter& json, const std::vector<std::string>& texts)
{
    json.beginArray();
    for (const std::string& text : texts)
        json.value(text);
    json.endArray();
}

/// What the finder shows of a chosen place and what the entry fields get, by the names
/// of the birth's typed fields.
std::string chosenJson(const atlas::PlaceChoice& choice)
{
    const atlas::Place& place = choice.place;
    birth::BirthDataFields fields;
    atlas::writePlace(choice.fields, fields);
    JsonWriter json;
    json.beginObject();
    json.key("listed_name").value(atlas::listedName(place.name, choice.matchedName));
    json.key("city").value(choice.fields.city);
    json.key("state").value(choice.fields.state);
    json.key("country").value(choice.fields.country);
    json.key("fields").beginObject();
    json.key("longitudeDegrees").value(fields.longitudeDegrees);
    json.key("longitudeMinutes").value(fields.longitudeMinutes);
    json.key("east").value(fields.east);
    json.key("latitudeDegrees").value(fields.latitudeDegrees);
    json.key("latitudeMinutes").value(fields.latitudeMinutes);
    json.key("south").value(fields.south);
    if (choice.fields.zone) {
        json.key("zoneHour").value(fields.zoneHour);
        json.key("zoneMinute").value(fields.zoneMinute);
        json.key("daylightSaving").value(fields.daylightSaving);
        // Fields that cannot say the clock on their own must not outlive its link.
        json.key("zoneSaid").value(choice.fields.zone->said);
    }
    json.endObject();
    json.key("utc_offset_seconds");
    if (choice.clock)
        json.value(choice.clock->offset.totalSeconds);
    else
        json.null();
    std::vector<std::string> notes;
    std::vector<std::string> occurrences;
    if (choice.clock) {
        json.key("clock_line").value(atlas::clockLine(*choice.clock));
        notes =
            atlas::clockNotes(place.name, *choice.clock, *choice.fields.zone, choice.fields.east);
        if (choice.clock->kind == atlas::LocalTimeKind::Repeated)
            occurrences = atlas::occurrenceCaptions(*choice.clock);
    } else if (!choice.clockError.empty()) {
        json.key("clock_line").value(atlas::clockErrorLine(place.name, choice.clockError));
        notes.emplace_back(
            "The place and its coordinates are filled in; the zone fields are left as they are.");
    } else {
        json.key("clock_line").null();
    }
    json.key("notes");
    textsJson(json, notes);
    json.key("occurrences");
    textsJson(json, occurrences);
    json.endObject();
    return json.text();
}

} // namespace

extern "C" {

/// Opens the atlas from its common part's bytes: 1, or 0 with the reason as the answer.
int selenoscope_atlas_open(const unsigned char* bytes, std::size_t size)
{
    std::string error;
    auto parts = atlas::IndexParts::open(std::span(bytes, size), error);
    if (!parts)
        return refuse(partName(atlas::format::kCommonPart) + " cannot be used: " + error + ".");
    atlasParts() = std::move(parts);
    answerWith({});
    return 1;
}

/// The zones' table (zones.table) for the rows' clocks: 1, or 0 with the reason.
int selenoscope_atlas_use_zones(const unsigned char* bytes, std::size_t size)
{
    std::string error;
    atlas::ZoneTable table = atlas::ZoneTable::read(std::span(bytes, size), error);
    if (!error.empty())
        return refuse(error);
    atlas::useZoneTable(std::move(table));
    answerWith({});
    return 1;
}

/// The parts the search of text for at most limit rows needs and lacks:
/// [{"number":17,"name":"017.part"}, ...].
const char* selenoscope_atlas_missing(const char* text, int limit)
{
    JsonWriter json;
    json.beginArray();
    // A limit find refuses needs nothing.
    const bool asked = limit >= 0 && static_cast<std::size_t>(limit) <= atlas::kMaxRows;
    if (const atlas::IndexParts* parts = atlasParts().get(); parts != nullptr && asked) {
        for (const std::uint32_t number :
             parts->missingParts(text, static_cast<std::size_t>(limit))) {
            json.beginObject();
            json.key("number").value(static_cast<int>(number));
            json.key("name").value(atlas::partFileName(number));
            json.endObject();
        }
    }
    json.endArray();
    return answerWith(json.text());
}

/// Adds a part from its bytes: 1, or 0 with the reason as the answer.
int selenoscope_atlas_add(unsigned number, const unsigned char* bytes, std::size_t size)
{
    atlas::IndexParts* parts = atlasParts().get();
    if (parts == nullptr)
        return refuse("The atlas is not open.");
    std::string error;
    if (!parts->addPart(number, std::span(bytes, size), error))
        return refuse(partName(number) + " cannot be used: " + error + ".");
    answerWith({});
    return 1;
}

/// The search (the block as readSearch reads it): {"rows":[...],"listed":[...]}, the rows
/// as selenoscope-cli place --json writes them and the names the finder lists them by;
/// or {"refusal":{"message":...}}.
const char* selenoscope_atlas_find(const char* block)
{
    auto search = readSearch(block);
    if (auto* refusal = std::get_if<std::string>(&search))
        return answerWith(refusalJson(*refusal));
    const Search& s = std::get<Search>(search);
    auto found = choices(s);
    if (auto* refusal = std::get_if<std::string>(&found))
        return answerWith(refusalJson(*refusal));
    const auto& chosen = std::get<std::vector<atlas::PlaceChoice>>(found);
    JsonWriter json;
    json.beginObject().key("rows").beginArray();
    for (const atlas::PlaceChoice& choice : chosen)
        atlas::writePlaceJson(json, choice);
    json.endArray().key("listed").beginArray();
    for (const atlas::PlaceChoice& choice : chosen)
        json.value(atlas::listedName(choice.place.name, choice.matchedName));
    json.endArray().endObject();
    return answerWith(json.text());
}

/// Row (from 0) of the same search, chosen: the finder's clock line, notes and the two
/// occurrences' captions, and the entry fields named as the birth's typed fields; or
/// {"refusal":{"message":...}}.
const char* selenoscope_atlas_choose(const char* block, int row)
{
    auto chosen = chosenRow(block, row);
    if (const auto* refusal = std::get_if<std::string>(&chosen))
        return answerWith(refusalJson(*refusal));
    return answerWith(chosenJson(std::get<atlas::PlaceChoice>(chosen)));
}

/// Row (from 0) of the search, chosen, asked at a reading of the form's birth (the form's
/// block, see web::readForm): {"utc_offset_seconds": the clock's true offset or null,
/// "question": {"text", "use_clock", "use_entered"} or null where the zone fields give the
/// clock's universal time}; or {"refusal":{"message":...}}.
const char* selenoscope_atlas_question(const char* block, int row, const unsigned char* form,
                                       std::size_t size)
{
    auto chosen = chosenRow(block, row);
    if (const auto* refusal = std::get_if<std::string>(&chosen))
        return answerWith(refusalJson(*refusal));
    const atlas::PlaceChoice& choice = std::get<atlas::PlaceChoice>(chosen);
    JsonWriter json;
    json.beginObject().key("utc_offset_seconds");
    std::optional<atlas::ZoneQuestion> question;
    if (choice.clock) {
        json.value(choice.clock->offset.totalSeconds);
        // A birth the checks refuse gets no question: its reading says why first.
        const auto entered = birth::ReadBirthData(web::readForm(web::Block(form, size)).fields);
        if (const auto* birth = std::get_if<modEphemeris::BirthData>(&entered))
            question = atlas::zoneQuestion(choice.fields.city, *choice.clock, *birth);
    } else {
        json.null();
    }
    json.key("question");
    if (question) {
        json.beginObject()
            .member("text", question->text)
            .member("use_clock", question->useClockCaption)
            .member("use_entered", question->useEnteredCaption)
            .endObject();
    } else {
        json.null();
    }
    json.endObject();
    return answerWith(json.text());
}

/// The places a search finds (the block's texts: query, date, time, limit, occurrence, as
/// selenoscope-cli place takes them), as place --json writes them; or {"error": message}.
const char* selenoscope_atlas_places(const unsigned char* bytes, std::size_t size)
{
    const web::Block block(bytes, size);
    auto read =
        report::ReadPlaceQuery({block[0], block[1], block[2], block[3], block[4]}, atlas::kMaxRows);
    if (const auto* refusal = std::get_if<std::string>(&read))
        return answerWith(web::errorJson(*refusal));
    auto& query = std::get<report::PlaceQuery>(read);
    auto found =
        choices(Search{std::move(query.query), query.limit, query.local, query.occurrence});
    if (const auto* refusal = std::get_if<std::string>(&found))
        return answerWith(web::errorJson(*refusal));
    JsonWriter json;
    json.beginArray();
    for (const atlas::PlaceChoice& choice : std::get<std::vector<atlas::PlaceChoice>>(found))
        atlas::writePlaceJson(json, choice);
    json.endArray();
    return answerWith(json.text());
}

/// The core module's answer for a birth by a place (see web::toolAnswer), with the place
/// it used; command 0 the readings, 1 the details, 2 the periods.
const char* selenoscope_atlas_tool(int command, const unsigned char* bytes, std::size_t size)
{
    const PartsLocator places;
    return answerWith(web::toolAnswer(static_cast<web::ToolCommand>(std::clamp(command, 0, 2)),
                                      web::Block(bytes, size), &places, atlas::writePlaceMember));
}

/// The last answer, NUL-terminated.
const char* selenoscope_atlas_answer()
{
    return answer().c_str();
}

/// Bytes of the last answer, without its NUL.
std::size_t selenoscope_atlas_answer_size()
{
    return answer().size();
}

} // extern "C"
