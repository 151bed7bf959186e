#include "timezone/TimeZoneTable.h"

#include "support/TestRows.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <string_view>

namespace {

// The hours as the row shows them: the last comma-separated field, without the
// blanks and the trailing "#" a few rows carry ("-5.5", "2", "-3", "10.0").
std::string shownHours(std::string_view text)
{
    std::string field(text.substr(text.rfind(',') + 1));
    std::erase(field, ' ');
    std::erase(field, '#');
    return field;
}

struct ChosenZone
{
    const char* name;
    int position;
    std::string_view text;
    std::string hourText;
    std::string minuteText;
};

void PrintTo(const ChosenZone& zone, std::ostream* os)
{
    *os << zone.position << " \"" << zone.text << '"';
}

class TimeZoneRowTest : public ::testing::TestWithParam<ChosenZone>
{
};

TEST_P(TimeZoneRowTest, ShowsItsTextAndGivesItsFieldTexts)
{
    const ChosenZone& zone = GetParam();
    const std::optional<TimeZoneRow> row = TimeZoneAt(zone.position);
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->DisplayText, zone.text);
    EXPECT_EQ(ZoneHourText(*row), zone.hourText);
    EXPECT_EQ(ZoneMinuteText(*row), zone.minuteText);
}

INSTANTIATE_TEST_SUITE_P(
    Zones, TimeZoneRowTest,
    ::testing::Values(
        ChosenZone{"negative_half_hour", 5, "Australian Central Daylight Time,ACDT,-10.5", "-10",
                   "30"},
        ChosenZone{"irregular_whole_hour_west", 11, "Azores Time, AT, 2#", "2", "0"},
        ChosenZone{"irregular_whole_hour_east", 12, "Baghdad Time, BAT, -3#", "-3", "0"},
        ChosenZone{"greenwich", 29, "Greenwich Mean Time,GMT,0.0", "0", "0"},
        ChosenZone{"irregular_indian", 34, "Indian Time, IST, -5.5", "-5", "30"},
        ChosenZone{"irregular_iran", 37, "Iran Time, IT, -3.5", "-3", "30"},
        ChosenZone{"irregular_java", 39, "Java Time, JT, -7.5", "-7", "30"},
        ChosenZone{"irregular_moluccas", 42, "Moluccas Time, MT, -8.5", "-8", "30"},
        ChosenZone{"beyond_minus_twelve", 46, "New Zealand Std Summer Time,NZST,-13.0", "-13", "0"},
        ChosenZone{"positive_half_hour", 50, "Newfoundland Standard Time,NST,3.5", "3", "30"},
        ChosenZone{"irregular_nome", 51, "Nome Time, NT, 11#", "11", "0"},
        ChosenZone{"same_abbreviation_east", 52, "North Sumatra Time,NST,-6.5", "-6", "30"},
        ChosenZone{"duplicate_name_first", 56, "South Australia Daylight Time,SAD,-10.5", "-10",
                   "30"},
        ChosenZone{"duplicate_name_second", 57, "South Australia Daylight Time,SDT,-10.5", "-10",
                   "30"},
        ChosenZone{"irregular_universal", 61, "Universal Time, UT, 0#", "0", "0"},
        ChosenZone{"last_row", 70, "Yukon War Time,YWT,8.0", "8", "0"}),
    test_support::RowName<ChosenZone>);

TEST(TimeZoneTable, HoldsSeventyOneRowsEachWithAText)
{
    for (int position = 0; position < 71; ++position) {
        const std::optional<TimeZoneRow> row = TimeZoneAt(position);
        ASSERT_TRUE(row.has_value()) << "position " << position;
        EXPECT_FALSE(row->DisplayText.empty()) << "position " << position;
    }
}

TEST(TimeZoneTable, StoredOffsetAgreesWithTheHoursShown)
{
    for (const TimeZoneRow& row : kTimeZoneRows) {
        SCOPED_TRACE(std::string(row.DisplayText));
        const std::string hours = shownHours(row.DisplayText);
        const double value = std::stod(hours);

        // Truncated toward zero, carrying the sign; the fraction as minutes without sign.
        EXPECT_EQ(row.OffsetHours, static_cast<int>(std::trunc(value)));
        EXPECT_EQ(static_cast<long>(row.OffsetMinutes),
                  std::lround(std::fabs(value - std::trunc(value)) * 60.0));

        // The field texts are the shown whole hours and the minutes as plain integers.
        const std::string wholeHours = hours.substr(0, hours.find('.'));
        EXPECT_EQ(ZoneHourText(row), wholeHours);
        const bool halfHour = hours.ends_with(".5");
        EXPECT_EQ(ZoneMinuteText(row), halfHour ? "30" : "0");
        EXPECT_TRUE(halfHour || hours.find('.') == std::string::npos || hours.ends_with(".0"));
    }
}

TEST(TimeZoneTable, IsInAlphabeticalOrderIgnoringCase)
{
    const auto lowered = [](std::string_view text) {
        std::string result(text);
        std::transform(result.begin(), result.end(), result.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return result;
    };
    for (std::size_t i = 1; i < kTimeZoneRows.size(); ++i)
        EXPECT_LT(lowered(kTimeZoneRows[i - 1].DisplayText), lowered(kTimeZoneRows[i].DisplayText))
            << "positions " << i - 1 << " and " << i;
}

class PositionOutsideTest : public ::testing::TestWithParam<int>
{
};

TEST_P(PositionOutsideTest, YieldsNoRow)
{
    EXPECT_FALSE(TimeZoneAt(GetParam()).has_value());
}

INSTANTIATE_TEST_SUITE_P(Positions, PositionOutsideTest,
                         ::testing::Values(-1, 71, INT_MIN, INT_MAX));

} // namespace
