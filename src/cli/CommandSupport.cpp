#include "cli/CommandSupport.h"

#include "cli/PlaceAccess.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace cli {

std::optional<report::ResolvedBirth> ResolveOrComplain(const BirthOptions& options)
{
    const std::unique_ptr<const report::PlaceLocator> places =
        options.place.empty() ? nullptr : OpenAtlas(options.atlas);
    report::BirthTexts texts{options.date,      options.time, options.longitude,
                             options.latitude,  options.zone, options.daylightSaving,
                             options.utcOffset, options.place};
    if (options.secondOccurrence)
        texts.occurrence = modEphemeris::Occurrence::Second;
    auto resolved = report::ResolveBirth(texts, places.get());
    if (const auto* refusal = std::get_if<std::string>(&resolved)) {
        Complain(*refusal);
        return std::nullopt;
    }
    return std::move(std::get<report::ResolvedBirth>(resolved));
}

void NotePlace(const report::ResolvedBirth& resolved)
{
    const std::string note = PlaceNote(resolved);
    std::fwrite(note.data(), 1, note.size(), stderr);
}

namespace {

int firstWriteError = 0; // errno of the first write to standard output that failed

void NoteWriteError()
{
    if (firstWriteError == 0)
        firstWriteError = errno != 0 ? errno : EIO;
}

} // namespace

void WriteOut(std::string_view text)
{
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size())
        NoteWriteError();
}

int FinishOutput(int status)
{
    // What others wrote to standard output (the argument parser's help) fails here too.
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0)
        NoteWriteError();
    if (firstWriteError == 0)
        return status;
    Complain(std::string("Cannot write the output: ") + std::strerror(firstWriteError));
    return status == kSucceeded ? kRefused : status;
}

report::JsonWriter ToolJson()
{
    return report::JsonWriter(2);
}

void WriteJson(const report::JsonWriter& json)
{
    WriteOut(json.text());
    WriteOut("\n");
}

void Complain(std::string_view message)
{
    std::fwrite(message.data(), 1, message.size(), stderr);
    std::fputc('\n', stderr);
}

} // namespace cli
