// One reading's four texts: by the one-pass computation (ComputeMoonReadings), by the
// sidereal and the tropical call as the entry window has made them, and, where it is
// installed, by the reference ephemeris; one reading's details; one birth's Vimshottari
// periods, from this program's Moon and from the one the faces choose; and, where it is
// built, one birth's precise Moon and the lunar series behind it. Times are CPU time per
// birth. Before the benchmarks, the one-pass texts and longitudes are compared bit for bit
// with the two calls over a million random births.
#include "birth/ExampleBirths.h"
#include "ephemeris/MoonChoice.h"
#include "ephemeris/MoonDetails.h"
#include "ephemeris/ReferenceReading.h"
#include "ephemeris/Vimshottari.h"
#include "ephemeris/modEphemeris.h"

#include <algorithm>
#include <array>
#include <benchmark/benchmark.h>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#ifdef HAVE_REFERENCE_EPHEMERIS
#include <swephexp.h>
#endif

#ifdef SELENOSCOPE_PRECISE
#include "ephemeris/PreciseMoon.h"

#include <libnova/lunar.h>
#endif

namespace {

using modEphemeris::BirthData;

BirthData Birth(int year)
{
    BirthData b;
    b.BirthMonth = 1;
    b.BirthDay = 1;
    b.BirthYear = static_cast<std::int16_t>(year);
    b.BirthHour = 12;
    b.ZoneHours = 5;
    b.ZoneMinutes = 30;
    b.LongitudeDegrees = 77;
    b.LongitudeMinutes = 13;
    b.LongitudeIsEast = true;
    b.LatitudeDegrees = 28;
    b.LatitudeMinutes = 37;
    return b;
}

// --- Births ------------------------------------------------------------------------

// Many different births, so that no side caches a previous instant.
const std::vector<BirthData>& VariedBirths()
{
    static const std::vector<BirthData> births = [] {
        std::mt19937 engine(1234U);
        std::vector<BirthData> all;
        for (int i = 0; i < 4096; ++i) {
            BirthData b = Birth(1900 + static_cast<int>(engine() % 151));
            b.BirthMonth = static_cast<std::int16_t>(1 + engine() % 12);
            b.BirthDay = static_cast<std::int16_t>(1 + engine() % 28);
            b.BirthHour = static_cast<std::int16_t>(engine() % 24);
            b.BirthMinute = static_cast<std::int16_t>(engine() % 60);
            b.LongitudeDegrees = static_cast<std::int16_t>(engine() % 180);
            b.LatitudeDegrees = static_cast<std::int16_t>(engine() % 90);
            all.push_back(b);
        }
        return all;
    }();
    return births;
}

// The same births in the order of their instants: the reference ephemeris reads its data
// in segments of a few days, so this order lets it keep a segment for several births.
const std::vector<BirthData>& BirthsByDate()
{
    static const std::vector<BirthData> births = [] {
        std::vector<BirthData> all = VariedBirths();
        std::sort(all.begin(), all.end(), [](const BirthData& a, const BirthData& b) {
            const auto instant = [](const BirthData& x) {
                return std::tuple(x.BirthYear, x.BirthMonth, x.BirthDay,
                                  modEphemeris::UniversalTime(modEphemeris::BirthMoment{x, {}}));
            };
            return instant(a) < instant(b);
        });
        return all;
    }();
    return births;
}

// Births of one day at places all over the globe: the reference ephemeris needs one
// segment of its data for all of them, its best case.
const std::vector<BirthData>& BirthsOfOneDay()
{
    static const std::vector<BirthData> births = [] {
        std::vector<BirthData> all = VariedBirths();
        for (BirthData& b : all) {
            b.BirthYear = 1987;
            b.BirthMonth = 6;
            b.BirthDay = 15;
        }
        return all;
    }();
    return births;
}

enum Workload : std::int64_t {
    kVaried,
    kByDate,
    kOneDay,
};

const std::vector<BirthData>& BirthsOf(std::int64_t workload)
{
    switch (workload) {
    case kByDate:
        return BirthsByDate();
    case kOneDay:
        return BirthsOfOneDay();
    default:
        return VariedBirths();
    }
}

// The same births as moments by their zone fields, as the program passes them.
const std::vector<modEphemeris::BirthMoment>& MomentsOf(std::int64_t workload)
{
    static std::map<std::int64_t, std::vector<modEphemeris::BirthMoment>> moments;
    auto& all = moments[workload];
    if (all.empty())
        for (const BirthData& b : BirthsOf(workload))
            all.push_back({b, {}});
    return all;
}

void Workloads(benchmark::internal::Benchmark* b)
{
    b->ArgName("births");
    b->Arg(kVaried)->Arg(kByDate)->Arg(kOneDay);
}

// --- Ours ----------------------------------------------------------------------------

void BM_Reading(benchmark::State& state)
{
    const BirthData birth = Birth(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(modEphemeris::ComputeMoonReading(birth, false));
        benchmark::DoNotOptimize(modEphemeris::ComputeMoonReading(birth, true));
    }
}

// The earliest year folds the largest negative mean longitude; 2000 is the worked example.
BENCHMARK(BM_Reading)->ArgName("year")->Arg(1900)->Arg(2000)->Arg(2050);

// The two calls, sidereal and tropical.
void BM_ReadingVaried(benchmark::State& state)
{
    const auto& births = VariedBirths();
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& birth = births[i++ % births.size()];
        benchmark::DoNotOptimize(modEphemeris::ComputeMoonReading(birth, false));
        benchmark::DoNotOptimize(modEphemeris::ComputeMoonReading(birth, true));
    }
}
BENCHMARK(BM_ReadingVaried);

// The four texts from one computation of the Moon.
void BM_Readings(benchmark::State& state)
{
    const auto& moments = MomentsOf(state.range(0));
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(modEphemeris::ComputeMoonReadings(moments[i++ % moments.size()]));
    }
}
BENCHMARK(BM_Readings)->Apply(Workloads);

// One birth's details: four readings, the first and last minute of each sign and of
// both sidereal nakshatras.
void BM_Details(benchmark::State& state)
{
    const auto& moments = MomentsOf(kVaried);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(modEphemeris::ComputeMoonDetails(moments[i++ % moments.size()]));
    }
}
BENCHMARK(BM_Details)->Unit(benchmark::kMicrosecond);

// One birth's Vimshottari periods from its data: the Moon and its motion, then the periods
// from the one running at birth for 120 years, with their sub-periods (levels 2) and one
// level further (3).
void BM_Vimshottari(benchmark::State& state)
{
    const auto& moments = MomentsOf(kVaried);
    const auto levels = static_cast<int>(state.range(0));
    std::size_t i = 0;
    for (auto _ : state) {
        modEphemeris::DashaRequest request =
            modEphemeris::DashaRequestFor(moments[i++ % moments.size()]);
        request.levels = levels;
        benchmark::DoNotOptimize(modEphemeris::ComputeVimshottari(request));
    }
}
BENCHMARK(BM_Vimshottari)->ArgName("levels")->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

// The same as the periods' window and `selenoscope-cli dasha` compute them: from the precise
// Moon where the build has it (nearly all of the time), else as above.
void BM_VimshottariFromChosenMoon(benchmark::State& state)
{
    const auto& moments = MomentsOf(kVaried);
    const auto levels = static_cast<int>(state.range(0));
    std::size_t i = 0;
    for (auto _ : state) {
        modEphemeris::DashaStart start = modEphemeris::DashaStartFor(moments[i++ % moments.size()]);
        start.request.levels = levels;
        benchmark::DoNotOptimize(modEphemeris::ComputeVimshottari(start.request));
    }
}
BENCHMARK(BM_VimshottariFromChosenMoon)
    ->ArgName("levels")
    ->Arg(2)
    ->Arg(3)
    ->Unit(benchmark::kMicrosecond);

#ifdef SELENOSCOPE_PRECISE

// One birth's precise Moon: both views, both zodiacs, one evaluation of the lunar series.
void BM_PreciseMoon(benchmark::State& state)
{
    const auto& births = VariedBirths();
    std::size_t i = 0;
    for (auto _ : state) {
        const BirthData& b = births[i++ % births.size()];
        benchmark::DoNotOptimize(modEphemeris::PreciseMoonAt(
            modEphemeris::JulianDayNumber(b.BirthMonth, b.BirthDay, b.BirthYear),
            modEphemeris::UniversalTime(b), modEphemeris::SignedLongitude(b),
            modEphemeris::SignedLatitude(b)));
    }
}
BENCHMARK(BM_PreciseMoon)->Unit(benchmark::kMicrosecond);

// The lunar series alone, as the precise Moon evaluates it and whole (precision 0).
void BM_LunarSeries(benchmark::State& state, double precision)
{
    const auto& births = VariedBirths();
    std::size_t i = 0;
    for (auto _ : state) {
        const BirthData& b = births[i++ % births.size()];
        const double jd = modEphemeris::JulianDayNumber(b.BirthMonth, b.BirthDay, b.BirthYear) -
                          0.5 + modEphemeris::UniversalTime(b) / 24;
        ln_rect_posn moon{};
        ln_get_lunar_geo_posn(jd, &moon, precision);
        benchmark::DoNotOptimize(moon);
    }
}
BENCHMARK_CAPTURE(BM_LunarSeries, truncated, modEphemeris::kLunarSeriesPrecision)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LunarSeries, whole, 0.0)->Unit(benchmark::kMicrosecond);

#endif

#ifdef HAVE_REFERENCE_EPHEMERIS

// The same job by the reference: the geocentric and the topocentric Moon and the
// ayanamsa for the instant and place, and the four texts.
void ReferenceReading(const BirthData& b)
{
    char error[AS_MAXCH];
    const double ut = modEphemeris::UniversalTime(b);
    const double jd = swe_julday(b.BirthYear, b.BirthMonth, b.BirthDay, ut, SE_GREG_CAL);
    const double lon =
        (b.LongitudeIsEast ? 1 : -1) * (b.LongitudeDegrees + b.LongitudeMinutes / 60.0);
    const double lat =
        (b.LatitudeIsSouth ? -1 : 1) * (b.LatitudeDegrees + b.LatitudeMinutes / 60.0);
    double geo[6];
    double topo[6];
    double ayanamsa = 0;
    swe_set_topo(lon, lat, 0);
    swe_calc_ut(jd, SE_MOON, SEFLG_SWIEPH, geo, error);
    swe_calc_ut(jd, SE_MOON, SEFLG_SWIEPH | SEFLG_TOPOCTR, topo, error);
    swe_get_ayanamsa_ex_ut(jd, SEFLG_SWIEPH, &ayanamsa, error);
    const auto sidereal = [&](double x) {
        return x - ayanamsa < 0 ? x - ayanamsa + 360 : x - ayanamsa;
    };
    benchmark::DoNotOptimize(modEphemeris::FormatZodiacLongitude(sidereal(geo[0])));
    benchmark::DoNotOptimize(modEphemeris::FormatZodiacLongitude(sidereal(topo[0])));
    benchmark::DoNotOptimize(modEphemeris::FormatZodiacLongitude(geo[0]));
    benchmark::DoNotOptimize(modEphemeris::FormatZodiacLongitude(topo[0]));
}

// Its files are opened once for the whole run (main) and every birth is computed once
// before the timing, so that what is timed is the computation and the reading of data
// segments from memory already cached, never the opening of a file.
void BM_ReferenceReading(benchmark::State& state)
{
    const auto& births = BirthsOf(state.range(0));
    for (const BirthData& b : births) {
        ReferenceReading(b);
    }
    std::size_t i = 0;
    for (auto _ : state) {
        ReferenceReading(births[i++ % births.size()]);
    }
}
BENCHMARK(BM_ReferenceReading)->Apply(Workloads);

#endif

// --- Bit for bit ----------------------------------------------------------------------

// Births whose one-pass texts or longitudes differ from the two calls'.
int CountMismatches(int births)
{
    const auto same = [](double a, double b) {
        return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
    };
    std::mt19937 rng(20261209U);
    int mismatches = 0;
    for (int i = 0; i < births; ++i) {
        const BirthData b = birth::RandomBirth(rng);
        const modEphemeris::MoonReadings r = modEphemeris::ComputeMoonReadings({b, {}});
        bool equal = true;
        for (const bool tropical : {false, true}) {
            const modEphemeris::MoonReading texts = modEphemeris::ComputeMoonReading(b, tropical);
            const modEphemeris::ReadingDetails d = modEphemeris::ComputeReadingDetails(b, tropical);
            const auto& fast = tropical ? r.tropical : r.sidereal;
            const auto& longitudes = tropical ? r.tropicalLongitudes : r.siderealLongitudes;
            equal = equal && fast.GeocentricText == texts.GeocentricText &&
                    fast.TopocentricText == texts.TopocentricText &&
                    same(longitudes.geocentric, d.geocentric) &&
                    same(longitudes.topocentric, d.topocentric);
        }
        mismatches += equal ? 0 : 1;
    }
    return mismatches;
}

// --- Report ------------------------------------------------------------------------------

/// Prints as usual and remembers each benchmark's CPU time per iteration.
class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, double> cpuPerIteration; // in the benchmark's time unit

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            cpuPerIteration[run.benchmark_name()] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    [[nodiscard]] double Of(const std::string& name) const
    {
        const auto found = cpuPerIteration.find(name);
        return found == cpuPerIteration.end() ? 0 : found->second;
    }
};

void PrintSummary(const SummaryReporter& r, int births, int mismatches)
{
    std::printf("\nCPU time per birth, all four texts (ns):\n");
    std::printf("%-34s %10s %12s %10s\n", "births", "one pass", "reference", "ratio");
    const std::array<std::pair<const char*, Workload>, 3> workloads{{
        {"4096 varied, random order", kVaried},
        {"the same, in the order of dates", kByDate},
        {"4096 places on one day", kOneDay},
    }};
    for (const auto& [label, workload] : workloads) {
        const std::string arg = "/births:" + std::to_string(workload);
        const double ours = r.Of("BM_Readings" + arg);
        const double reference = r.Of("BM_ReferenceReading" + arg);
        if (reference > 0) {
            std::printf("%-34s %10.0f %12.0f %9.1fx\n", label, ours, reference, reference / ours);
        } else {
            std::printf("%-34s %10.0f %12s\n", label, ours, "-");
        }
    }
    const double twoCalls = r.Of("BM_ReadingVaried");
    const double onePass = r.Of("BM_Readings/births:0");
    if (twoCalls > 0 && onePass > 0) {
        std::printf(
            "Two calls (sidereal, tropical): %.0f ns, one pass %.0f ns: %.2f times faster.\n",
            twoCalls, onePass, twoCalls / onePass);
    }
    if (const double details = r.Of("BM_Details"); details > 0) {
        std::printf("Details of one birth: %.1f us.\n", details);
    }
    if (const double dasha = r.Of("BM_Vimshottari/levels:2"); dasha > 0) {
        std::printf("Vimshottari periods of one birth with their sub-periods: %.1f us (goal: "
                    "under 100 us); one level further: %.1f us.\n",
                    dasha, r.Of("BM_Vimshottari/levels:3"));
    }
    if (const double precise = r.Of("BM_PreciseMoon"); precise > 0) {
        std::printf("Precise Moon of one birth: %.0f us; its lunar series %.0f us (the whole "
                    "series: %.0f us).\n",
                    precise, r.Of("BM_LunarSeries/truncated"), r.Of("BM_LunarSeries/whole"));
    }
    if (births > 0) {
        std::printf("Bit for bit: %d random births, %d with texts or longitudes differing from "
                    "the two calls.\n",
                    births, mismatches);
    }
}

} // namespace

int main(int argc, char** argv)
{
    // The bit-for-bit comparison runs with the full set of benchmarks, not with options.
    const bool full = argc == 1;
    benchmark::Initialize(&argc, argv);
#ifdef HAVE_REFERENCE_EPHEMERIS
    swe_set_ephe_path(const_cast<char*>("/usr/share/libswe/ephe"));
    swe_set_sid_mode(SE_SIDM_LAHIRI, 0, 0);
#endif
    constexpr int kIdentityBirths = 1000000;
    const int mismatches = full ? CountMismatches(kIdentityBirths) : 0;

    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintSummary(reporter, full ? kIdentityBirths : 0, mismatches);
    benchmark::Shutdown();
#ifdef HAVE_REFERENCE_EPHEMERIS
    swe_close();
#endif
    return 0;
}
