// The arguments of `folivex --convert ...`, parsed.
#pragma once

#include <string>
#include <vector>

namespace folivex::cli {

struct Options {
    std::vector<std::string> paths; // files and folders, in the order given
    std::string filesFrom;          // --files-from: a file of paths, "-" for standard input
    bool recursive = false;         // folders with the folders below them
    bool flat = false;              // --recursive's PDFs all in the output folder itself
    bool skipExisting = false;      // leaves documents whose PDF is newer than they are
    std::string output;             // empty: ~/Output
    std::string size = "100";
    int resolution = 72;              // --resolution: pixels per inch of the page images
    int jobs = 0;                     // 0: as many as the machine has cores
    unsigned long long maxMemory = 0; // --max-memory: bytes one LibreOffice may hold; 0: the default
    std::string report;               // --report: JSON lines, "-" for standard output
    bool quiet = false;               // print failures only
    bool stopOnError = false;         // the batch as the window runs it
    bool asJob = false;               // one document of a run of several jobs: no closing summary
    std::string asPdf;                // --as-pdf: a job's PDF, as its run planned it
    bool help = false;
    bool version = false;
};

// Parses `arguments` (without the program name) into `options`; returns an
// error text, empty when the arguments are fine. After "--" every argument
// is a path, whatever it starts with.
std::string ParseOptions(const std::vector<std::string> &arguments, Options &options);

} // namespace folivex::cli
