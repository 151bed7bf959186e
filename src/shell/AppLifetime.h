#pragma once

/// The orderly exit: unloads every loaded window, hidden ones too, then ends the program.
/// A window already being unloaded (the one whose closing started the exit) is skipped.
void UnloadAllAndEnd();
