// The checks in front of every reading and the reading of the typed texts, as
// plain tables: what each text reads as, which refusal (message, icon, field)
// each birth gets, and what reaches the birth data record.
#include "birth/BirthDataChecks.h"

#include "birth/ExampleBirths.h"
#include "support/TestRows.h"

#include <cctype>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>
#include <variant>

namespace {

using namespace birth;
using modEphemeris::BirthData;

/// A birth that passes every check; rows change only what they test.
BirthDataFields ValidBirth()
{
    BirthDataFields fields = FieldsFor(birth::WorkedExample());
    fields.name = "JOHN";
    fields.longitudeMinutes = "12";
    fields.latitudeMinutes = "36";
    return fields;
}

using test_support::RowName;

// ---------------------------------------------------------------------------
// What a number box's text reads as.

struct NumberRow
{
    const char* name;
    std::string text;
    std::optional<double> value;
};

void PrintTo(const NumberRow& row, std::ostream* os)
{
    *os << row.name;
}

class NumericValue : public testing::TestWithParam<NumberRow>
{
};

TEST_P(NumericValue, ReadsTheWholeTextOrNothing)
{
    EXPECT_EQ(FieldText::NumericValue(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumericValue,
    testing::Values(
        NumberRow{"digits", "59", 59.0}, NumberRow{"leading zeros", "08", 8.0},
        NumberRow{"double zero", "00", 0.0}, NumberRow{"spaces around", "  12 ", 12.0},
        NumberRow{"minus sign", "-13", -13.0}, NumberRow{"pasted fraction", "5.5", 5.5},
        NumberRow{"fraction without whole part", ".5", 0.5}, NumberRow{"empty", "", std::nullopt},
        NumberRow{"spaces only", "   ", std::nullopt}, NumberRow{"one minus", "-", std::nullopt},
        NumberRow{"two minus", "--", std::nullopt}, NumberRow{"three minus", "---", std::nullopt},
        NumberRow{"minus between digits", "1-2", std::nullopt},
        NumberRow{"doubled minus before digits", "--5", std::nullopt},
        NumberRow{"minus after digits", "5-", std::nullopt},
        NumberRow{"letters after digits", "12abc", std::nullopt},
        NumberRow{"space inside", "1 2", std::nullopt}, NumberRow{"exponent", "1e3", std::nullopt},
        NumberRow{"plus sign", "+5", std::nullopt}, NumberRow{"two points", "1.2.3", std::nullopt},
        NumberRow{"decimal comma", "1,5", std::nullopt}, NumberRow{"lone point", ".", std::nullopt},
        NumberRow{"tab before digits", "\t5", std::nullopt},
        NumberRow{"non-ASCII digits", "\u0663", std::nullopt}),
    RowName<NumberRow>);

TEST(TrimSpaces, RemovesOnlyOuterSpaces)
{
    EXPECT_EQ(FieldText::TrimSpaces("  JOHN  DOE "), "JOHN  DOE");
    EXPECT_EQ(FieldText::TrimSpaces("    "), "");
    EXPECT_EQ(FieldText::TrimSpaces("\tA"), "\tA");
}

// ---------------------------------------------------------------------------
// The checks, in their order: the first refusal wins.

const std::string kName = "Please Enter Name";
const std::string kHour = "Please Enter Value Between 0 And 12 in the Zone Hour";
const std::string kMinute = "Please Enter Value Between 0 And 59 in the Zone Minute";
const std::string kLonD = "Please Enter Value Between 0 And 179 in the Degree of Longitude";
const std::string kLonM = "Please Enter Value Between 0 And 59 in the  Minute of Longitude";
const std::string kLatD = "Please Enter Value Between 0 And 89 in the Degree of Latitude";
const std::string kLatM = "Please Enter Value Between 0 And 59 in the  Minute of Latitude";
const std::string kFebruary = "Please Enter Correct Date Or Month!";
const std::string kThirtyDays = "Please Enter Correct Date Or Month !";

struct CheckRow
{
    std::string name;
    void (*change)(BirthDataFields&);
    std::optional<Refusal> refusal;
};

void PrintTo(const CheckRow& row, std::ostream* os)
{
    *os << row.name;
}

Refusal FieldRefusal(BirthField field, const std::string& message)
{
    return {field, message, Refusal::Icon::Critical, true};
}

Refusal DateRefusal(const std::string& message)
{
    return {BirthField::Day, message, Refusal::Icon::Information, false};
}

/// A row that sets one text of the valid birth.
#define SET(member, value) [](BirthDataFields& f) { f.member = value; }
/// A row that sets the date.
#define DATE(m, d, y)                                                                              \
    [](BirthDataFields& f) {                                                                       \
        f.month = m;                                                                               \
        f.day = d;                                                                                 \
        f.year = y;                                                                                \
    }

class Validation : public testing::TestWithParam<CheckRow>
{
};

TEST_P(Validation, FirstRefusalWithItsMessageIconAndField)
{
    BirthDataFields fields = ValidBirth();
    GetParam().change(fields);
    EXPECT_EQ(ValidateBirthData(fields), GetParam().refusal);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, Validation,
    testing::Values(
        CheckRow{"all fields valid", [](BirthDataFields&) {}, std::nullopt},
        CheckRow{"name empty", SET(name, ""), FieldRefusal(BirthField::Name, kName)},
        CheckRow{"name of spaces only", SET(name, "   "), FieldRefusal(BirthField::Name, kName)},
        CheckRow{"empty name wins over zone hour 99",
                 [](BirthDataFields& f) {
                     f.name = "";
                     f.zoneHour = "99";
                 },
                 FieldRefusal(BirthField::Name, kName)},
        CheckRow{"zone hour 12", SET(zoneHour, "12"), std::nullopt},
        CheckRow{"zone hour 13", SET(zoneHour, "13"), FieldRefusal(BirthField::ZoneHour, kHour)},
        CheckRow{"zone hour -5", SET(zoneHour, "-5"), std::nullopt},
        CheckRow{"zone hour -13", SET(zoneHour, "-13"), std::nullopt},
        CheckRow{"zone hour empty", SET(zoneHour, ""), FieldRefusal(BirthField::ZoneHour, kHour)},
        CheckRow{"zone hour of spaces", SET(zoneHour, "  "),
                 FieldRefusal(BirthField::ZoneHour, kHour)},
        CheckRow{"zone hour -", SET(zoneHour, "-"), FieldRefusal(BirthField::ZoneHour, kHour)},
        CheckRow{"zone hour --", SET(zoneHour, "--"), FieldRefusal(BirthField::ZoneHour, kHour)},
        CheckRow{"zone hour ---", SET(zoneHour, "---"), FieldRefusal(BirthField::ZoneHour, kHour)},
        CheckRow{"zone hour 1-2", SET(zoneHour, "1-2"), FieldRefusal(BirthField::ZoneHour, kHour)},
        CheckRow{"zone hour --5", SET(zoneHour, "--5"), FieldRefusal(BirthField::ZoneHour, kHour)},
        CheckRow{"zone hour 5-", SET(zoneHour, "5-"), FieldRefusal(BirthField::ZoneHour, kHour)},
        CheckRow{"zone minute empty", SET(zoneMinute, ""),
                 FieldRefusal(BirthField::ZoneMinute, kMinute)},
        CheckRow{"zone minute 59", SET(zoneMinute, "59"), std::nullopt},
        CheckRow{"zone minute 60", SET(zoneMinute, "60"),
                 FieldRefusal(BirthField::ZoneMinute, kMinute)},
        CheckRow{"zone minute 00", SET(zoneMinute, "00"), std::nullopt},
        CheckRow{"zone minute pasted 1.5", SET(zoneMinute, "1.5"), std::nullopt},
        CheckRow{"zone minute 60 wins over longitude 180",
                 [](BirthDataFields& f) {
                     f.zoneMinute = "60";
                     f.longitudeDegrees = "180";
                 },
                 FieldRefusal(BirthField::ZoneMinute, kMinute)},
        CheckRow{"longitude 179", SET(longitudeDegrees, "179"), std::nullopt},
        CheckRow{"longitude 180", SET(longitudeDegrees, "180"),
                 FieldRefusal(BirthField::LongitudeDegrees, kLonD)},
        CheckRow{"longitude empty", SET(longitudeDegrees, ""),
                 FieldRefusal(BirthField::LongitudeDegrees, kLonD)},
        CheckRow{"longitude pasted 12a", SET(longitudeDegrees, "12a"),
                 FieldRefusal(BirthField::LongitudeDegrees, kLonD)},
        CheckRow{"longitude pasted -.5", SET(longitudeDegrees, "-.5"),
                 FieldRefusal(BirthField::LongitudeDegrees, kLonD)},
        CheckRow{"longitude minutes 60", SET(longitudeMinutes, "60"),
                 FieldRefusal(BirthField::LongitudeMinutes, kLonM)},
        CheckRow{"latitude 89", SET(latitudeDegrees, "89"), std::nullopt},
        CheckRow{"latitude 90", SET(latitudeDegrees, "90"),
                 FieldRefusal(BirthField::LatitudeDegrees, kLatD)},
        CheckRow{"latitude minutes 60", SET(latitudeMinutes, "60"),
                 FieldRefusal(BirthField::LatitudeMinutes, kLatM)},
        CheckRow{"latitude minutes empty", SET(latitudeMinutes, ""),
                 FieldRefusal(BirthField::LatitudeMinutes, kLatM)},
        CheckRow{"29 February 2000", DATE("February", "29", "2000"), std::nullopt},
        CheckRow{"29 February 2004", DATE("February", "29", "2004"), std::nullopt},
        CheckRow{"28 February 1900", DATE("February", "28", "1900"), std::nullopt},
        CheckRow{"29 February 1900", DATE("February", "29", "1900"), DateRefusal(kFebruary)},
        CheckRow{"29 February 2001", DATE("February", "29", "2001"), DateRefusal(kFebruary)},
        CheckRow{"30 February 2000", DATE("February", "30", "2000"), DateRefusal(kFebruary)},
        CheckRow{"31 February 2000", DATE("February", "31", "2000"), DateRefusal(kFebruary)},
        CheckRow{"31 March", DATE("March", "31", "2001"), std::nullopt},
        CheckRow{"30 April", DATE("April", "30", "2001"), std::nullopt},
        CheckRow{"31 April", DATE("April", "31", "2001"), DateRefusal(kThirtyDays)},
        CheckRow{"31 June", DATE("June", "31", "2001"), DateRefusal(kThirtyDays)},
        CheckRow{"31 September", DATE("September", "31", "2001"), DateRefusal(kThirtyDays)},
        CheckRow{"31 November", DATE("November", "31", "2050"), DateRefusal(kThirtyDays)},
        CheckRow{"31 December", DATE("December", "31", "2050"), std::nullopt}),
    RowName<CheckRow>);

TEST(Validation, NameMayBeLeftOutWhereTheCallerAllowsIt)
{
    BirthDataFields fields = ValidBirth();
    fields.name = "";
    EXPECT_EQ(ValidateBirthData(fields, NameRule::Optional), std::nullopt);
    fields.zoneHour = "13";
    EXPECT_EQ(ValidateBirthData(fields, NameRule::Optional),
              FieldRefusal(BirthField::ZoneHour, kHour));
}

// ---------------------------------------------------------------------------
// What reaches the birth data record.

struct ReadRow
{
    std::string name;
    void (*change)(BirthDataFields&);
    void (*expect)(BirthData&); // the worked example, changed as the row expects
};

void PrintTo(const ReadRow& row, std::ostream* os)
{
    *os << row.name;
}

class Reading : public testing::TestWithParam<ReadRow>
{
};

TEST_P(Reading, FieldsReachTheRecord)
{
    BirthDataFields fields = FieldsFor(birth::WorkedExample());
    GetParam().change(fields);
    BirthData expected = birth::WorkedExample();
    GetParam().expect(expected);

    const auto read = ReadBirthData(fields);
    ASSERT_TRUE(std::holds_alternative<BirthData>(read));
    const BirthData& birth = std::get<BirthData>(read);
    // Field by field, so that a failure names the field.
    EXPECT_EQ(birth.PersonName, expected.PersonName);
    EXPECT_EQ(birth.BirthMonth, expected.BirthMonth);
    EXPECT_EQ(birth.BirthDay, expected.BirthDay);
    EXPECT_EQ(birth.BirthYear, expected.BirthYear);
    EXPECT_EQ(birth.BirthHour, expected.BirthHour);
    EXPECT_EQ(birth.BirthMinute, expected.BirthMinute);
    EXPECT_EQ(birth.ZoneHours, expected.ZoneHours);
    EXPECT_EQ(birth.ZoneMinutes, expected.ZoneMinutes);
    EXPECT_EQ(birth.LongitudeDegrees, expected.LongitudeDegrees);
    EXPECT_EQ(birth.LongitudeMinutes, expected.LongitudeMinutes);
    EXPECT_EQ(birth.LongitudeIsEast, expected.LongitudeIsEast);
    EXPECT_EQ(birth.LatitudeDegrees, expected.LatitudeDegrees);
    EXPECT_EQ(birth.LatitudeMinutes, expected.LatitudeMinutes);
    EXPECT_EQ(birth.LatitudeIsSouth, expected.LatitudeIsSouth);
    EXPECT_EQ(birth.DaylightSaving, expected.DaylightSaving);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, Reading,
    testing::Values(ReadRow{"worked example", [](BirthDataFields&) {}, [](BirthData&) {}},
                    ReadRow{"name as typed, not trimmed", SET(name, " ASHA  "),
                            [](BirthData& b) { b.PersonName = " ASHA  "; }},
                    ReadRow{"zone hour -5 reads as 5", SET(zoneHour, "-5"), [](BirthData&) {}},
                    ReadRow{"zone hour -12 reads as 12", SET(zoneHour, "-12"),
                            [](BirthData& b) { b.ZoneHours = 12; }},
                    ReadRow{"zone minute 00 reads as 0", SET(zoneMinute, "00"),
                            [](BirthData& b) { b.ZoneMinutes = 0; }},
                    ReadRow{"West and South with daylight saving",
                            [](BirthDataFields& f) {
                                f.east = false;
                                f.south = true;
                                f.daylightSaving = true;
                            },
                            [](BirthData& b) {
                                b.LongitudeIsEast = false;
                                b.LatitudeIsSouth = true;
                                b.DaylightSaving = true;
                            }},
                    ReadRow{"pasted 8.5 rounds to even 8", SET(longitudeDegrees, "8.5"),
                            [](BirthData& b) { b.LongitudeDegrees = 8; }},
                    ReadRow{"pasted 9.5 rounds to even 10", SET(longitudeDegrees, "9.5"),
                            [](BirthData& b) { b.LongitudeDegrees = 10; }},
                    ReadRow{"pasted 7.6 rounds to 8", SET(longitudeDegrees, "7.6"),
                            [](BirthData& b) { b.LongitudeDegrees = 8; }},
                    ReadRow{"a December birth", SET(month, "December"),
                            [](BirthData& b) { b.BirthMonth = 12; }}),
    RowName<ReadRow>);

TEST(Reading, MonthThatMatchesNoNameKeepsThePreviousMonth)
{
    BirthDataFields fields = ValidBirth();
    fields.month = "january"; // the names are compared exactly
    BirthData previous;
    previous.BirthMonth = 7;
    const auto read = ReadBirthData(fields, previous);
    ASSERT_TRUE(std::holds_alternative<BirthData>(read));
    EXPECT_EQ(std::get<BirthData>(read).BirthMonth, 7);
}

TEST(Reading, CheckedNumberBeyondTheRecordIsRefusedNamingItsField)
{
    BirthDataFields fields = ValidBirth();
    fields.zoneHour = "-99999"; // passes the zone hour check, does not fit 16 bits
    EXPECT_EQ(std::get<Refusal>(ReadBirthData(fields)),
              FieldRefusal(BirthField::ZoneHour,
                           "This value cannot be used for a reading. Please correct it."));
}

TEST(Reading, RefusalOfTheChecksComesFirst)
{
    BirthDataFields fields = ValidBirth();
    fields.latitudeDegrees = "90";
    EXPECT_EQ(std::get<Refusal>(ReadBirthData(fields)),
              FieldRefusal(BirthField::LatitudeDegrees, kLatD));
}

} // namespace
