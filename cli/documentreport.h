// What became of one document of a command-line run, and its line in the
// report: one JSON object a line, written as each document finishes.
#pragma once

#include "convert/documentresult.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace folivex::cli {

// The document's result, with what the run adds for its report line.
struct DocumentReport : convert::DocumentResult {
    std::int32_t resolution = 0; // pixels per inch of the page images; 0 when none was written
    double seconds = 0;
};

// The report's name of a status, the one place it is spelled:
// "converted", "failed", "stopped" or "skipped" (both kinds of skip).
const char *StatusName(convert::DocumentStatus status);

// The report's line for `report`, without its newline. Paths are JSON
// strings; a path that is not UTF-8 has each byte that is none written as
// the text \xHH (ReadableName), and its exact bytes in base64 beside it:
// "input_bytes", "output_bytes". Every line is valid JSON.
std::string ReportLine(const DocumentReport &report);

// Parses a line that ReportLine wrote back, paths byte for byte; false for
// anything else. "skipped" reads back as DocumentStatus::Skipped.
bool ParseReportLine(const std::string &line, DocumentReport &report);

} // namespace folivex::cli
