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
// document produced its PDF, 1 when some did not (each is named on
// standard error with the reason), 2 for arguments it does not understand,
// 130 when interrupted. A QCoreApplication must exist.
int RunConvertCommand(const std::vector<std::string> &arguments, std::FILE *out, std::FILE *err);

} // namespace folivex::cli
