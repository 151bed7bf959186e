// Pieces shared by the source files of the Moon computation: its stored
// constants and small integer arithmetic. Not part of the module's interface.
#pragma once

#include "EphemerisTables.h"

namespace modEphemeris {

// Stored values rather than M_PI: the quoted readings were made with these digits.
inline constexpr double kDegToRad = 0.0174532925199433;
inline constexpr double kRadToDeg = 57.2957795130823;
inline constexpr double kPi = 3.14159265358979;
inline constexpr double kHalfPi = 1.5707963267949;

// Ratio of the Earth's polar to equatorial radius.
inline constexpr double kPolarRatio = 0.996647;

/// Whole part of a / b rounded down, for b > 0.
constexpr int FloorDiv(int a, int b)
{
    const int q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

/// The time arguments of one instant, formed as the reading forms them.
struct TimeArguments
{
    double ut; // universal time, hours from 0h of the date, not folded
    int jdn;   // Julian day number of the date
    double T0; // Julian centuries from J2000.0 to 0h universal time of the date
    double T;  // Julian centuries from J2000.0 to the instant
};

/// The time arguments of ut hours after 0h universal time of day number jdn.
TimeArguments TimeArgumentsOf(int jdn, double ut);

/// A longitude of the Moon (degrees, 0 to 360) in the zodiac of ayan (degrees, 0 for the
/// tropical zodiac): lambda + ayan, with 360 added once when that is below 0.
double InZodiac(double lambda, double ayan);

/// The arguments of the lunar series at one instant.
struct LunarArguments
{
    double Lp;          // the Moon's mean longitude, degrees
    double D, M, Mp, F; // radians, not folded
    double E;           // eccentricity factor

    /// The argument d*D + m*M + mp*Mp + f*F of a term, radians.
    [[nodiscard]] double Of(const LunarTerm& term) const
    {
        return term.d * D + term.m * M + term.mp * Mp + term.f * F;
    }
    /// E where the term carries it, else 1.
    [[nodiscard]] double Factor(const LunarTerm& term) const { return term.timesE ? E : 1.0; }
};

/// The arguments of the lunar series; T in Julian centuries from J2000.0.
LunarArguments LunarArgumentsOf(double T);

/// An observer at sea level on the ellipsoid: the distance from the Earth's centre
/// (equatorial radii) times the sine and the cosine of the geocentric latitude.
struct EllipsoidPoint
{
    double rhoSin;
    double rhoCos;
};

/// The observer at a geographic latitude (degrees, North positive).
EllipsoidPoint ObserverOnEllipsoid(double latitude);

} // namespace modEphemeris
