// Writes varied births as the batch reads them, the same for the same count: names
// (some quoted, with commas and quotes), dates from 1900 to 2050, times with and without
// seconds, both hemispheres in either case, and the instant by zone (with and without
// daylight saving) or by the clock's UTC offset.
//   generate_births ROWS > births.csv
#include <array>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysIn(int month, int year)
{
    constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

class Births
{
public:
    explicit Births(unsigned seed) : engine_(seed) {}

    std::string Row(long index)
    {
        std::array<char, 256> row{};
        const int year = Pick(1900, 2050);
        const int month = Pick(1, 12);
        const int day = Pick(1, DaysIn(month, year));
        const bool east = Chance(0.5);
        const bool south = Chance(0.3);
        const std::string name = Name(index);
        const std::string time =
            Chance(0.2) ? Format("%02d:%02d:%02d", Pick(0, 23), Pick(0, 59), Pick(0, 59))
                        : Format("%d:%02d", Pick(0, 23), Pick(0, 59));
        const std::string longitude =
            Format("%d:%02d%c", Pick(0, 179), Pick(0, 59), Letter(east ? 'E' : 'W'));
        const std::string latitude =
            Format("%d:%02d%c", Pick(0, 89), Pick(0, 59), Letter(south ? 'S' : 'N'));
        std::string zone;
        std::string dst;
        std::string offset;
        if (Chance(0.8)) {
            zone = Chance(0.7) ? std::to_string(Pick(0, 12))
                               : Format("%d:%02d", Pick(0, 12), 15 * Pick(0, 3));
            dst.push_back(Chance(0.3) ? '1' : '0');
        } else {
            const int minutes = 15 * Pick(-48, 56);
            offset = Format("%c%02d:%02d", minutes < 0 ? '-' : '+', std::abs(minutes) / 60,
                            std::abs(minutes) % 60);
        }
        std::snprintf(row.data(), row.size(), "%s,%04d-%02d-%02d,%s,%s,%s,%s,%s,%s\n", name.c_str(),
                      year, month, day, time.c_str(), longitude.c_str(), latitude.c_str(),
                      zone.c_str(), dst.c_str(), offset.c_str());
        return row.data();
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(engine_); }
    char Letter(char upper) { return Chance(0.1) ? static_cast<char>(upper + 32) : upper; }

    std::string Name(long index)
    {
        if (Chance(0.05))
            return Format("\"Doe, J. \"\"No. %ld\"\"\"", index);
        return Format("Person %ld", index);
    }

    template <class... Args> static std::string Format(const char* format, Args... args)
    {
        std::array<char, 64> text{};
        std::snprintf(text.data(), text.size(), format, args...);
        return text.data();
    }

    std::mt19937_64 engine_;
};

} // namespace

int main(int argc, char** argv)
{
    const long rows = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 2000000;
    static std::array<char, 1 << 20> buffer;
    std::setvbuf(stdout, buffer.data(), _IOFBF, buffer.size());
    std::fputs("name,date,time,longitude,latitude,zone,dst,utc_offset\n", stdout);
    Births births(20260101U);
    for (long i = 1; i <= rows; ++i)
        std::fputs(births.Row(i).c_str(), stdout);
    return 0;
}
