// The native side of the web page's exactness test: for each birth of a CSV as the test
// writes it (name,date,time,longitude,latitude,zone,dst,utc_offset; no quoted fields),
// what selenoscope-cli details --json or dasha --json gives in a build without the precise
// Moon (as the page's is), one JSON text per line, or {"error":...} with the tool's message.
//   web_reference details BIRTHS.csv > details.jsonl
//   web_reference dasha YEAR_DAYS MINUTES LEVELS BIRTHS.csv > dasha.jsonl
#include "ephemeris/MoonChoice.h"
#include "report/BirthInput.h"
#include "report/ReadingJson.h"

#include <array>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <variant>

namespace {

constexpr std::size_t kColumns = 8;

std::array<std::string_view, kColumns> split(std::string_view line)
{
    std::array<std::string_view, kColumns> fields{};
    for (std::size_t i = 0; i < kColumns; ++i) {
        const std::size_t comma = line.find(',');
        fields[i] = line.substr(0, comma);
        line = comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
    }
    return fields;
}

int usage()
{
    std::cerr << "usage: web_reference details BIRTHS.csv\n"
                 "       web_reference dasha YEAR_DAYS MINUTES LEVELS BIRTHS.csv\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string_view command = argc > 1 ? argv[1] : "";
    const bool dasha = command == "dasha";
    if (!(command == "details" && argc == 3) && !(dasha && argc == 6))
        return usage();
    report::DashaCounting counting;
    if (dasha)
        counting = {std::strtod(argv[2], nullptr), std::strtod(argv[3], nullptr),
                    std::atoi(argv[4])};
    const modEphemeris::PreciseMoon none{std::nullopt,
                                         std::string(modEphemeris::kPreciseMoonNotBuilt)};

    std::ifstream in(argv[argc - 1]);
    std::string line;
    if (!std::getline(in, line)) {
        std::cerr << "web_reference: cannot read " << argv[argc - 1] << '\n';
        return 1;
    }
    while (std::getline(in, line)) {
        const auto f = split(line);
        report::BirthTexts texts;
        texts.date = f[1];
        texts.time = f[2];
        texts.longitude = f[3];
        texts.latitude = f[4];
        texts.zone = f[5];
        texts.daylightSaving = f[6] == "yes";
        texts.utcOffset = f[7];
        const auto resolved = report::ResolveBirth(texts, nullptr);
        report::JsonWriter json;
        json.beginObject();
        if (const auto* refusal = std::get_if<std::string>(&resolved)) {
            json.member("error", *refusal);
        } else {
            const auto& moment = std::get<report::ResolvedBirth>(resolved).moment;
            if (!dasha) {
                report::WriteDetails(json, modEphemeris::ComputeMoonDetails(moment), std::nullopt);
            } else {
                const auto periods = report::DashaFor(moment, counting, none);
                if (const auto* error = std::get_if<std::string>(&periods))
                    json.member("error", *error);
                else
                    report::WriteDasha(json, std::get<report::DashaReport>(periods));
            }
        }
        json.endObject();
        std::cout << json.text() << '\n';
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}
