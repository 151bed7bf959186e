// The words of a reading's details as the details window writes them and the web page
// shows them: the instant of birth, each reading's sign and nakshatra, their edges and
// the first and last minutes at which a reading keeps them, the notes on an edge and the
// footnote. Plain C++20, no Qt: the window and the page read the same lines.
#pragma once

#include "ephemeris/CivilTime.h"
#include "ephemeris/MoonDetails.h"
#include "ephemeris/PreciseReading.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace report {

/// "1 January 2000": the calendar's own numbers, whatever the year.
std::string DateWords(int year, int month, int day);

/// "07:05".
std::string ClockWords(int hour, int minute);

/// A first or last minute: the clock time alone on the birth date, with the date on any
/// other day, "more than four days" where no edge lies within reach.
std::string MinuteWords(const std::optional<modEphemeris::CivilTime>& minute,
                        const modEphemeris::CivilTime& birth);

/// An arc in whole seconds as the readings write it, without leading zero units:
/// 13° 17' 50", 2' 59", 12".
std::string ArcWords(double arcseconds);

/// "Sco, 2' 59\" away": the neighbour beyond the nearer edge and how far.
std::string EdgeWords(const modEphemeris::EdgeNearness& edge);

/// "On the edge: a precise ephemeris may place the Moon in Sco".
std::string EdgeNote(const modEphemeris::EdgeNearness& edge);

/// The precise Moon's nakshatra and pada: "Swati, pada 4".
std::string PreciseNakshatraWords(const modEphemeris::PreciseReading& precise);

/// What the times mean and how far the method may be out; with the precise Moon, how far
/// that may be out too. Lines end in "\n" between them.
std::string DetailsFootnote(bool withPrecise);

/// One line of the details: its control's name, its caption and how its text is written.
template <class Subject> struct DetailsLine
{
    const char* name;
    const char* caption;
    std::string (*text)(const Subject& subject, const modEphemeris::CivilTime& birth);
};

inline constexpr std::size_t kInstantLines = 4;
inline constexpr std::size_t kSignLines = 5;
inline constexpr std::size_t kNakshatraLines = 5;
inline constexpr std::size_t kReadings = 4;

/// The instant: local date and time, the rule, universal date and time, Julian day.
extern const std::array<DetailsLine<modEphemeris::BirthInstant>, kInstantLines> kInstantFacts;
/// Each reading's longitude, sign, nearest sign edge, first and last minute in the sign.
extern const std::array<DetailsLine<modEphemeris::MoonDetailRow>, kSignLines> kSignFacts;
/// Each sidereal reading's nakshatra, pada, nearest edge, first and last minute in it.
extern const std::array<DetailsLine<modEphemeris::NakshatraPlace>, kNakshatraLines> kNakshatraFacts;

/// How one of the four readings is called, in the display window's order.
struct ReadingName
{
    const char* caption;    // beside its words when it lies on an edge
    const char* accessible; // what a screen reader announces for its text
};

inline constexpr std::array<ReadingName, kReadings> kReadingNames{{
    {"Sidereal Non-Parallax", "Sidereal reading without parallax"},
    {"Sidereal Parallax", "Sidereal reading with parallax"},
    {"Western Non-Parallax", "Western reading without parallax"},
    {"Western Parallax", "Western reading with parallax"},
}};

} // namespace report
