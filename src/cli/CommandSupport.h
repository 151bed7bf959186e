// What the reading and details commands share: the birth from their options, and
// writing to standard output and standard error.
#pragma once

#include "cli/Commands.h"
#include "report/BirthInput.h"
#include "report/JsonWriter.h"

#include <optional>
#include <string_view>

namespace cli {

/// The birth the options give; on a refusal, its message on standard error and nothing.
std::optional<report::ResolvedBirth> ResolveOrComplain(const BirthOptions& options);

/// Writes the place a reading by --place used to standard error; nothing for others.
void NotePlace(const report::ResolvedBirth& resolved);

/// Writes text to standard output as it stands; a failure is kept for FinishOutput.
void WriteOut(std::string_view text);

/// Flushes standard output. The status as it stands when everything written reached
/// it; otherwise says why on standard error, and a success becomes kRefused.
int FinishOutput(int status);

/// A writer of the tool's JSON: each member on a line of its own, two spaces a level.
report::JsonWriter ToolJson();

/// Writes the JSON and a line end to standard output.
void WriteJson(const report::JsonWriter& json);

/// Writes a message and a line end to standard error.
void Complain(std::string_view message);

} // namespace cli
