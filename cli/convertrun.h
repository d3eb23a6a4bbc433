// One run of `folivex --convert` over its documents: where each PDF goes,
// converting them here or in jobs, and what is printed and reported.
#pragma once

#include "cli/documentinputs.h"
#include "cli/documentreport.h"
#include "cli/options.h"
#include "cli/outputplan.h"
#include "cli/terminalview.h"
#include "convert/batchconverter.h"

#include <csignal>
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace folivex::cli {

// The report file, or standard output for "-"; closed when the run ends.
class ReportFile {
public:
    // Throws folivex::Error when the file cannot be made.
    explicit ReportFile(const std::string &name);
    void write(const DocumentReport &report);

private:
    std::unique_ptr<std::FILE, decltype(&std::fclose)> named_{nullptr, &std::fclose}; // the file it made, if any
    std::FILE *file_ = nullptr; // where lines go: the file made, standard output, or nowhere
};

class ConvertRun {
public:
    // `stop` is set by a signal handler to the signal that asks the run to end.
    ConvertRun(const Options &options, TerminalView &view, ReportFile &report, volatile std::sig_atomic_t &stop);

    // Converts `documents` and returns the exit code (see RunConvertCommand).
    // Every document gets one report line, whatever ends the run: one never
    // started because the run was interrupted is "skipped".
    int run(const std::vector<DocumentInput> &documents);

private:
    void runHere();
    void runInJobs(int jobs);
    DocumentReport convertHere(convert::BatchConverter &converter, std::size_t index, const std::string &nextPath);
    // --skip-existing: reports the document skipped when its PDF is newer than it.
    bool skipAsExisting(std::size_t index);
    // Makes the folder of the document's PDF, the first time, and removes
    // the partial files that runs which are gone left in it; the problem, or empty.
    std::string prepareFolder(std::size_t index);
    // Reports, shows and keeps the document's final result.
    void finish(std::size_t index, DocumentReport report);
    int complete();

    const Options &options_;
    unsigned long long memoryLimit_ = 0;
    TerminalView &view_;
    ReportFile &report_;
    volatile std::sig_atomic_t &stop_;
    std::vector<DocumentInput> documents_;
    std::vector<PlannedPdf> plan_;
    std::vector<bool> finished_;
    std::set<std::string> prepared_;
    // The documents' results in the order they finished.
    std::vector<convert::DocumentResult> results_;
    bool officeEndedTheBatch_ = false;
};

} // namespace folivex::cli
