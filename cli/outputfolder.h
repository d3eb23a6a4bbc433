// The output folder of a run: checked before any document, and cleared of
// what runs that are gone left in it.
#pragma once

#include <string>

namespace folivex::cli {

// Why `folder` cannot take the run's PDFs, as one sentence naming it
// ("the output folder /x is not a folder"), or empty when it can: it exists
// (`make`: it is made with its parents when missing), is a folder, and this
// process may make files in it.
std::string OutputFolderProblem(const std::string &folder, bool make);

// Removes the ".folivex-*.part" files in `folder` (itself, not below) that
// a PDF writer left when its process ended before finishing them: only
// those whose owner's tag says the process is gone (see core/ownertag.h).
// Returns how many it removed; a folder that cannot be read removes none.
int RemoveStaleParts(const std::string &folder);

} // namespace folivex::cli
