#include "cli/CommandSupport.h"

#include "cli/PlaceAccess.h"

#include <cstdio>

namespace cli {

std::optional<ResolvedBirth> ResolveOrComplain(const BirthOptions& options)
{
    const std::unique_ptr<const PlaceLocator> places =
        options.place.empty() ? nullptr : OpenAtlas(options.atlas);
    const BirthTexts texts{options.date,      options.time, options.longitude,
                           options.latitude,  options.zone, options.daylightSaving,
                           options.utcOffset, options.place};
    auto resolved = ResolveBirth(texts, places.get());
    if (const auto* refusal = std::get_if<std::string>(&resolved)) {
        Complain(*refusal);
        return std::nullopt;
    }
    return std::move(std::get<ResolvedBirth>(resolved));
}

void NotePlace(const ResolvedBirth& resolved)
{
    const std::string note = PlaceNote(resolved);
    std::fwrite(note.data(), 1, note.size(), stderr);
}

void WriteOut(std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
}

void Complain(std::string_view message)
{
    std::fwrite(message.data(), 1, message.size(), stderr);
    std::fputc('\n', stderr);
}

} // namespace cli
