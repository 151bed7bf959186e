// The atlas where the build has it, and nothing where it does not: the one place
// that knows which.
#pragma once

#include "report/BirthInput.h"
#include "report/JsonWriter.h"

#include <cstddef>
#include <memory>
#include <string>

namespace cli {

/// Whether this build has the atlas.
bool HasAtlas();

/// The most places the `place` command lists at once.
std::size_t MostPlaces();

/// The atlas's places from an index file (empty: the one installed with the tool), loaded
/// on first use; null in a build without the atlas.
std::unique_ptr<const report::PlaceLocator> OpenAtlas(const std::string& indexFile);

/// The place a reading by --place used, for standard error; empty for other readings.
std::string PlaceNote(const report::ResolvedBirth& resolved);

/// Writes the place a reading by --place used into its JSON as "place"; nothing for others.
void WritePlaceMember(report::JsonWriter& json, const report::ResolvedBirth& resolved);

} // namespace cli
