// The entry window's boxes and lists as every face fills them: the most characters each
// box takes and which typed characters it lets through, with the message and icon a
// refused key gets; the items of each list, the first chosen. Plain C++20, no Qt: the
// window and the web page's form read the one table.
#pragma once

#include "birth/BirthDataChecks.h"
#include "birth/BirthRanges.h"

#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <variant>

namespace birth {

/// What typing lets through into one kind of box. Backspace always passes; the other
/// characters by their class. A refused character shows the message, then is dropped.
struct KeyRule
{
    bool letters; // "A" to "Z" and "a" to "z"
    bool digits;  // "0" to "9"
    bool space;
    bool enter; // the carriage return a typed Enter brings
    bool minus;
    bool capitalise; // small letters arrive as capitals
    std::string_view message;
    Refusal::Icon icon;

    /// Whether the typed character (a code point) passes.
    [[nodiscard]] constexpr bool accepts(char32_t typed) const
    {
        const bool letter = (typed >= U'A' && typed <= U'Z') || (typed >= U'a' && typed <= U'z');
        return typed == U'\b' || (letters && letter) ||
               (digits && typed >= U'0' && typed <= U'9') || (space && typed == U' ') ||
               (enter && typed == U'\r') || (minus && typed == U'-');
    }

    /// The character as it reaches the box: capitalised where the rule says so.
    [[nodiscard]] constexpr char32_t arriving(char32_t typed) const
    {
        return capitalise && typed >= U'a' && typed <= U'z' ? typed - (U'a' - U'A') : typed;
    }
};

/// Letters, space, Enter and Backspace; the name is always typed in capitals.
inline constexpr KeyRule kNameKeys{
    true, false, true, true, false, true, "Please Enter only Letters", Refusal::Icon::Information};
/// Digits, Backspace and the minus sign anywhere.
inline constexpr KeyRule kSignedNumberKeys{
    false, true, false, false, true, false, "Only Numbers Are Accepted", Refusal::Icon::Critical};
/// Digits and Backspace.
inline constexpr KeyRule kNumberKeys{
    false, true, false, false, false, false, "Only Numbers Are Accepted", Refusal::Icon::Critical};

/// One text box of the entry window.
struct EntryBox
{
    std::string_view name;           // the control's name: "txtZoneHour"
    std::optional<BirthField> field; // the birth data it holds; none for the place's names
    int maxLength;                   // 0: no limit
    const KeyRule* keys;             // nullptr: everything passes
};

inline constexpr std::array<EntryBox, 10> kEntryBoxes{{
    {"txtName", BirthField::Name, 0, &kNameKeys},
    {"txtZoneHour", BirthField::ZoneHour, 3, &kSignedNumberKeys},
    {"txtZoneMinute", BirthField::ZoneMinute, 2, &kNumberKeys},
    {"txtLonD", BirthField::LongitudeDegrees, 3, &kNumberKeys},
    {"txtLonM", BirthField::LongitudeMinutes, 2, &kNumberKeys},
    {"txtLatD", BirthField::LatitudeDegrees, 2, &kNumberKeys},
    {"txtLatM", BirthField::LatitudeMinutes, 2, &kNumberKeys},
    {"txtMCity", std::nullopt, 0, nullptr},
    {"txtMState", std::nullopt, 0, nullptr},
    {"txtMCountry", std::nullopt, 0, nullptr},
}};

/// The box of that name; nothing for a name the window has not.
const EntryBox* entryBox(std::string_view name);

/// The items of a list: names as they stand, or the decimal texts of a range's numbers
/// ("1", not "01"), in rising order.
using ListItems = std::variant<std::span<const std::string_view>, Range>;

/// One list of the entry window; its first item is chosen when the window opens.
struct EntryList
{
    std::string_view name;
    std::optional<BirthField> field; // none for the seconds, which no reading uses
    ListItems items;
};

inline constexpr std::array<EntryList, 6> kEntryLists{{
    {"cboMonth", BirthField::Month, std::span(kMonthNames)},
    {"cboDate", BirthField::Day, kDays},
    {"cboYear", BirthField::Year, kYears},
    {"cboHH", BirthField::Hour, kHours},
    {"cboMM", BirthField::Minute, kMinutes},
    {"cboSS", std::nullopt, kSeconds},
}};

/// The list of that name; nothing for a name the window has not.
const EntryList* entryList(std::string_view name);

/// The name of the entry window's control that holds the field, where a refusal naming it
/// puts the focus: "txtZoneHour", "cboMonth".
std::string_view controlName(BirthField field);

} // namespace birth
