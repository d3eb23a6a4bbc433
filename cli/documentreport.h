// What became of one document of a command-line run, and its line in the
// report: one JSON object a line, written as each document finishes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace folivex::cli {

struct DocumentReport {
    std::string input;
    std::string output;       // the PDF's path; empty when none was written
    std::string status;       // "converted", "failed", "stopped" or "skipped"
    std::string reason;       // why no PDF, empty when converted
    std::int32_t pages = 0;   // pages, slides or worksheets written
    std::uint64_t bytes = 0;  // the PDF's size
    double seconds = 0;
    std::string replacedBy;   // a later document of the run that writes the same PDF
    std::string replaces;     // an earlier one whose PDF this one replaces
};

// The report's line for `report`, without its newline. Strings are JSON
// strings; bytes that are no UTF-8 (file names may hold any) are written as
// \u00XX escapes of their Latin-1 reading, so every line is valid JSON.
std::string ReportLine(const DocumentReport &report);

// Parses a line that ReportLine wrote back; false for anything else.
bool ParseReportLine(const std::string &line, DocumentReport &report);

} // namespace folivex::cli
