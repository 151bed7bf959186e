// The native side of the web page's exactness test: for each birth of a CSV as the test
// writes it (name,date,time,longitude,latitude,zone,dst,utc_offset; no quoted fields),
// the details of its reading as selenoscope-cli details --json gives them in a build
// without the precise Moon (as the page's is), one JSON text per line, or
// {"refusal":{"message":...}} with the tool's message.
//   web_reference BIRTHS.csv > details.jsonl
#include "report/BirthInput.h"
#include "report/ReadingJson.h"

#include <array>
#include <cstdio>
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

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: web_reference BIRTHS.csv\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    std::string line;
    if (!std::getline(in, line)) {
        std::cerr << "web_reference: cannot read " << argv[1] << '\n';
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
            json.key("refusal").beginObject().member("message", *refusal).endObject();
        } else {
            const auto& moment = std::get<report::ResolvedBirth>(resolved).moment;
            report::WriteDetails(json, modEphemeris::ComputeMoonDetails(moment), std::nullopt);
        }
        json.endObject();
        std::cout << json.text() << '\n';
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}
