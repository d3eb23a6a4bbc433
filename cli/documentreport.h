// What became of one document of a command-line run, and its line in the
// report: one JSON object a line, written as each document finishes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace folivex::cli {

struct DocumentReport {
    std::string input;        // the document's path, as bytes
    std::string output;       // the PDF's path (bytes); empty when it has none
    std::string status;       // "converted", "failed", "stopped" or "skipped"
    std::string reason;       // why no PDF was written, empty when converted
    std::int32_t pages = 0;   // pages, slides or worksheets written
    std::int32_t resolution = 0; // pixels per inch of the page images; 0 when none was written
    std::uint64_t bytes = 0;  // the PDF's size
    double seconds = 0;
};

// The report's line for `report`, without its newline. Paths are JSON
// strings; a path that is not UTF-8 has each byte that is none written as
// the text \xHH (ReadableName), and its exact bytes in base64 beside it:
// "input_bytes", "output_bytes". Every line is valid JSON.
std::string ReportLine(const DocumentReport &report);

// Parses a line that ReportLine wrote back, paths byte for byte; false for
// anything else.
bool ParseReportLine(const std::string &line, DocumentReport &report);

} // namespace folivex::cli
