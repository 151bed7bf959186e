// ΔT in three pieces, each from a published source:
// - 1900 to 2005: the polynomials of Espenak and Meeus (Five Millennium Canon of Solar
//   Eclipses, NASA TP-2006-214141), fitted to the observed record;
// - 2005 to 2026: the observed values at the start of each year, from the IERS Earth
//   orientation record (TT − UT1 = 32.184 s + TAI − UTC − (UT1 − UTC)), between them
//   in a straight line; the polynomial for these years, made in 2006, runs ahead of the
//   Earth, which has hardly slowed since 2019 (6 s too much by 2026);
// - after 2026: a forecast. ΔT wanders by seconds within a decade, so no forecast is
//   firm; this one carries on from the last observed value at the mean rate of the
//   record's last thirty years (about 0.25 s a year), which spans the decade-long swings.
#include "DeltaT.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace modEphemeris {

namespace {

// One piece of the polynomials: sum of c[k] (y - epoch)^k for years from..to.
struct DeltaTPolynomial
{
    double from;
    double to;
    double epoch;
    std::array<double, 6> c;
};

constexpr std::array<DeltaTPolynomial, 5> kPolynomials{{
    {1900, 1920, 1900, {-2.79, 1.494119, -0.0598939, 0.0061966, -0.000197, 0}},
    {1920, 1941, 1920, {21.20, 0.84493, -0.076100, 0.0020936, 0, 0}},
    {1941, 1961, 1950, {29.07, 0.407, -1 / 233.0, 1 / 2547.0, 0, 0}},
    {1961, 1986, 1975, {45.45, 1.067, -1 / 260.0, -1 / 718.0, 0, 0}},
    {1986, 2005, 2000, {63.86, 0.3345, -0.060374, 0.0017275, 0.000651814, 0.00002373599}},
}};
static_assert(kPolynomials.size() == 5);

// Observed ΔT, seconds, on 1 January of each year.
struct DeltaTRecord
{
    int year;
    double deltaT;
};

constexpr std::array<DeltaTRecord, 22> kRecord{{
    {2005, 64.69}, {2006, 64.85}, {2007, 65.15}, {2008, 65.46}, {2009, 65.78}, {2010, 66.07},
    {2011, 66.32}, {2012, 66.60}, {2013, 66.91}, {2014, 67.28}, {2015, 67.64}, {2016, 68.10},
    {2017, 68.59}, {2018, 68.97}, {2019, 69.22}, {2020, 69.36}, {2021, 69.36}, {2022, 69.29},
    {2023, 69.20}, {2024, 69.18}, {2025, 69.14}, {2026, 69.10},
}};
static_assert(kRecord.size() == 22 && kRecord.back().year == kDeltaTRecordLastYear);
static_assert(kRecord.front().year == kPolynomials.back().to);

// The forecast's rate is the mean over this many years before the record's end.
constexpr int kForecastTrendYears = 30;

constexpr double kDaysPerYear = 365.2425;  // the Gregorian year
constexpr double kYear2000Day = 2451544.5; // 2000 January 1, 0h

double PolynomialDeltaT(double year)
{
    const auto* const piece =
        std::find_if(kPolynomials.begin(), kPolynomials.end() - 1,
                     [year](const DeltaTPolynomial& p) { return year < p.to; });
    const double t = year - piece->epoch;
    double sum = 0;
    for (auto k = piece->c.size(); k-- > 0;) {
        sum = sum * t + piece->c[k];
    }
    return sum;
}

double RecordDeltaT(double year)
{
    const auto* const next = std::find_if(kRecord.begin() + 1, kRecord.end() - 1,
                                          [year](const DeltaTRecord& r) { return year < r.year; });
    const auto& before = *(next - 1);
    return before.deltaT + (next->deltaT - before.deltaT) * (year - before.year);
}

double ObservedDeltaT(double year)
{
    return year < kRecord.front().year ? PolynomialDeltaT(year) : RecordDeltaT(year);
}

double ForecastDeltaT(double year)
{
    const double last = kRecord.back().deltaT;
    const double rate =
        (last - ObservedDeltaT(kDeltaTRecordLastYear - kForecastTrendYears)) / kForecastTrendYears;
    return last + rate * (year - kDeltaTRecordLastYear);
}

} // namespace

std::optional<double> DeltaT(double julianDayUt)
{
    if (!(julianDayUt >= kDeltaTFirstDay && julianDayUt <= kDeltaTLastDay)) {
        return std::nullopt; // also NaN
    }
    const double year = 2000 + (julianDayUt - kYear2000Day) / kDaysPerYear;
    return year < kDeltaTRecordLastYear ? ObservedDeltaT(year) : ForecastDeltaT(year);
}

} // namespace modEphemeris
