// The conversion shown on a terminal, decided from the conversion's events:
// a line as each document's pages begin, a progress bar on standard error
// when that is a terminal, a line for each document without its PDF, the
// completion and the folder of the PDFs on standard output. The window's
// label texts and message boxes are not printed. Names are printed with
// the bytes that are not UTF-8 escaped (ReadableName).
#pragma once

#include "convert/conversionview.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace folivex::cli {

class TerminalView : public convert::ConversionView {
public:
    TerminalView(std::FILE *out, std::FILE *err, std::string sizePercent, std::string outputFolder);

    void DocumentStarted(const convert::DocumentStart &start) override;
    void DocumentFinished(const convert::DocumentResult &result) override;
    void PageNotCopied(std::int32_t page) override;
    void BatchFinished(const std::vector<convert::DocumentResult> &results) override;
    void SetProgressVisible(bool visible) override;
    void SetProgress(std::int32_t maximum, std::int32_t position) override;
    void OpenFolder(const std::string &folder) override;
    void PumpMessages() override;
    std::string SizePercentText() override { return sizePercent_; }
    std::string OutputFolderText() override { return outputFolder_; }
    std::string ResolutionText() override { return resolution_; }
    void setResolution(std::string resolution) { resolution_ = std::move(resolution); }

    // The folder of the PDF being written, which the "Converting" line names.
    void setOutputFolder(std::string folder) { outputFolder_ = std::move(folder); }
    // Runs at every pump (the command line's Ctrl-C check).
    std::function<void()> onPump;

    // Quiet: only failures are printed (errors and warnings), no progress.
    void setQuiet(bool quiet) { quiet_ = quiet; }
    // A job of a pool: the line of a document without its PDF is left to
    // the run that started the job, which prints it with the job's output.
    void setAsJob(bool asJob) { asJob_ = asJob; }
    // Silent: nothing at all is printed (a run that was interrupted).
    void setSilent(bool silent) { silent_ = silent; }
    // Prints a line of the run's own on standard error.
    void note(const std::string &line);
    // Prints what another process printed, as it stands, on standard output.
    void printBlock(const std::string &text);

private:
    void clearBar();
    // The window's message box as a line: "Caption: text".
    void printMessage(const std::string &caption, const std::string &text);

    std::FILE *out_;
    std::FILE *err_;
    bool barOnTerminal_;
    bool quiet_ = false;
    bool asJob_ = false;
    bool silent_ = false;
    bool barVisible_ = false;
    bool barDrawn_ = false;
    int lastPercent_ = -1;
    std::string sizePercent_;
    std::string resolution_ = "72";
    std::string outputFolder_;
};

} // namespace folivex::cli
