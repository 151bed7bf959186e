#include "report/DetailsWords.h"

#include "birth/BirthRanges.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace report {
namespace {

using modEphemeris::BirthInstant;
using modEphemeris::CivilTime;
using modEphemeris::MoonDetailRow;
using modEphemeris::NakshatraPlace;

template <class... Values> std::string Printed(const char* format, Values... values)
{
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), format, values...);
    return text.data();
}

} // namespace

std::string DateWords(int year, int month, int day)
{
    return std::to_string(day) + " " + std::string(birth::monthName(month)) + " " +
           std::to_string(year);
}

std::string ClockWords(int hour, int minute)
{
    return Printed("%02d:%02d", hour, minute);
}

std::string MinuteWords(const std::optional<CivilTime>& minute, const CivilTime& birth)
{
    if (!minute)
        return "more than four days"; // the search found no edge within reach
    const std::string clock = ClockWords(minute->hour, minute->minute);
    const bool birthDate =
        minute->year == birth.year && minute->month == birth.month && minute->day == birth.day;
    return birthDate ? clock : DateWords(minute->year, minute->month, minute->day) + " " + clock;
}

std::string ArcWords(double arcseconds)
{
    const long long total = std::llround(arcseconds);
    const long long degrees = total / 3600;
    const long long minutes = total / 60 % 60;
    const long long seconds = total % 60;
    std::string text = std::to_string(seconds) + "\"";
    if (degrees > 0 || minutes > 0)
        text = std::to_string(minutes) + "' " + text;
    if (degrees > 0)
        text = std::to_string(degrees) + "\xC2\xB0 " + text; // the degree sign
    return text;
}

std::string EdgeWords(const modEphemeris::EdgeNearness& edge)
{
    return std::string(edge.across) + ", " + ArcWords(edge.arcseconds) + " away";
}

std::string EdgeNote(const modEphemeris::EdgeNearness& edge)
{
    return "On the edge: a precise ephemeris may place the Moon in " + std::string(edge.across);
}

std::string PreciseNakshatraWords(const modEphemeris::PreciseReading& precise)
{
    if (!precise.nakshatra)
        return {};
    return std::string(precise.nakshatra->name) + ", pada " +
           std::to_string(precise.nakshatra->pada);
}

std::string DetailsFootnote(bool withPrecise)
{
    std::string text = "Times are the local clock at the birth place, by the same rule as the "
                       "birth.\nThis method's longitude may differ from a precise ephemeris's by "
                       "up to " +
                       Printed("%g", modEphemeris::kEdgeBudgetArcseconds) +
                       "\": a Moon that near an edge may stand beyond it.";
    if (withPrecise)
        text += "\nThe precise ephemeris may itself be out by up to " +
                Printed("%g", modEphemeris::kPreciseEdgeBudgetArcseconds) +
                "\": nearer an edge than that, it too says \"On the edge\".";
    return text;
}

const std::array<DetailsLine<BirthInstant>, kInstantLines> kInstantFacts{{
    {"lblLocalTime", "Local date and time",
     [](const BirthInstant& i, const CivilTime&) {
         return DateWords(i.local.year, i.local.month, i.local.day) + ", " +
                ClockWords(i.local.hour, i.local.minute);
     }},
    {"lblRule", "Universal time from",
     [](const BirthInstant& i, const CivilTime&) { return i.rule; }},
    {"lblUniversalTime", "Universal date and time",
     [](const BirthInstant& i, const CivilTime&) {
         const CivilTime& u = i.universal;
         return DateWords(u.year, u.month, u.day) + ", " + ClockWords(u.hour, u.minute) +
                Printed(":%02d UT", u.second);
     }},
    {"lblJulianDay", "Julian day",
     [](const BirthInstant& i, const CivilTime&) {
         return Printed("%.5f", i.julianDay); // a second is 0.0000116 day
     }},
}};

const std::array<DetailsLine<MoonDetailRow>, kSignLines> kSignFacts{{
    {"lblLongitude", "Longitude",
     [](const MoonDetailRow& r, const CivilTime&) { return Printed("%.4f\xC2\xB0", r.longitude); }},
    {"lblSign", "Sign",
     [](const MoonDetailRow& r, const CivilTime&) { return std::string(r.signCode); }},
    {"lblSignEdge", "Nearest sign edge",
     [](const MoonDetailRow& r, const CivilTime&) { return EdgeWords(r.signEdge); }},
    {"lblSignSince", "First minute in the sign",
     [](const MoonDetailRow& r, const CivilTime& birth) {
         return MinuteWords(r.sign_since, birth);
     }},
    {"lblSignUntil", "Last minute in the sign",
     [](const MoonDetailRow& r, const CivilTime& birth) {
         return MinuteWords(r.sign_until, birth);
     }},
}};

const std::array<DetailsLine<NakshatraPlace>, kNakshatraLines> kNakshatraFacts{{
    {"lblNakshatra", "Nakshatra",
     [](const NakshatraPlace& n, const CivilTime&) { return std::string(n.name); }},
    {"lblPada", "Pada",
     [](const NakshatraPlace& n, const CivilTime&) { return std::to_string(n.pada); }},
    {"lblNakshatraEdge", "Nearest nakshatra edge",
     [](const NakshatraPlace& n, const CivilTime&) { return EdgeWords(n.edge); }},
    {"lblNakshatraSince", "First minute in the nakshatra",
     [](const NakshatraPlace& n, const CivilTime& birth) {
         return MinuteWords(n.nakshatra_since, birth);
     }},
    {"lblNakshatraUntil", "Last minute in the nakshatra",
     [](const NakshatraPlace& n, const CivilTime& birth) {
         return MinuteWords(n.nakshatra_until, birth);
     }},
}};

} // namespace report
