// One reading as the entry window makes it: the sidereal and the tropical
// computation for the same birth data. The time per iteration is the time per reading.
// Where the reference ephemeris is installed, the same job done by it is timed in
// the same run and the ratio printed.
#include "ephemeris/modEphemeris.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#ifdef HAVE_REFERENCE_EPHEMERIS
#include <swephexp.h>
#endif

namespace {

modEphemeris::BirthData Birth(int year)
{
    modEphemeris::BirthData b;
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

void BM_Reading(benchmark::State& state)
{
    const modEphemeris::BirthData birth = Birth(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(modEphemeris::ComputeMoonReading(birth, false));
        benchmark::DoNotOptimize(modEphemeris::ComputeMoonReading(birth, true));
    }
}

// The earliest year folds the largest negative mean longitude; 2000 is the worked example.
BENCHMARK(BM_Reading)->ArgName("year")->Arg(1900)->Arg(2000)->Arg(2050);

#ifdef HAVE_REFERENCE_EPHEMERIS

// Many different births, so that no side caches a previous instant.
const std::vector<modEphemeris::BirthData>& VariedBirths()
{
    static const std::vector<modEphemeris::BirthData> births = [] {
        std::mt19937 engine(1234U);
        std::vector<modEphemeris::BirthData> all;
        for (int i = 0; i < 4096; ++i) {
            modEphemeris::BirthData b = Birth(1900 + static_cast<int>(engine() % 151));
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

// The same job by the reference: the geocentric and the topocentric Moon and the
// ayanamsa for the instant and place, and the four texts.
void BM_ReferenceReading(benchmark::State& state)
{
    swe_set_ephe_path("/usr/share/libswe/ephe");
    swe_set_sid_mode(SE_SIDM_LAHIRI, 0, 0);
    const auto& births = VariedBirths();
    std::size_t i = 0;
    char error[AS_MAXCH];
    for (auto _ : state) {
        const auto& b = births[i++ % births.size()];
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
}
BENCHMARK(BM_ReferenceReading);

#endif

/// Prints as usual and remembers each benchmark's time per iteration.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, double> nsPerIteration;

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            nsPerIteration[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto ours = reporter.nsPerIteration.find("BM_ReadingVaried");
    const auto reference = reporter.nsPerIteration.find("BM_ReferenceReading");
    if (ours != reporter.nsPerIteration.end() && reference != reporter.nsPerIteration.end())
        std::printf("\nOne reading: %.0f ns here, %.0f ns by the reference ephemeris: %.1f times "
                    "faster.\n",
                    ours->second, reference->second, reference->second / ours->second);
    benchmark::Shutdown();
    return 0;
}
