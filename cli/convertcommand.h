// `folivex --convert PATH... [--output DIR] [--size PERCENT]`: the batch on
// the command line, without a display.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace folivex::cli {

// True when the arguments (without the program name) ask for the command
// line rather than the window: --convert, --help or --version.
bool WantsCommandLine(const std::vector<std::string> &arguments);

// Runs the command and returns the process's exit code: 0 when every
// document produced its PDF (or was left alone by --skip-existing), 1 when
// some did not (each is named on standard error with the reason, one line
// each), 2 for arguments it does not understand and for an output folder
// that cannot take the PDFs, 3 when the paths hold no document, 128 plus
// the signal when interrupted. A QCoreApplication must exist.
int RunConvertCommand(const std::vector<std::string> &arguments, std::FILE *out, std::FILE *err);

} // namespace folivex::cli
