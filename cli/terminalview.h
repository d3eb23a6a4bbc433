// The conversion shown on a terminal: messages on standard output with their
// captions, a progress bar on standard error when that is a terminal. The
// conversion's error messages are not printed here: the run prints one line
// for each document without its PDF (ConvertRun). Names are printed with
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

    void SetStatusText(const std::string &text) override;
    void RepaintStatus() override {}
    void RepaintWindow() override {}
    void SetProgressVisible(bool visible) override;
    void SetProgress(std::int32_t maximum, std::int32_t position) override;
    void ShowMessage(const std::string &text, const std::string &caption) override;
    // The reason only: the run's summary names each document that failed.
    void ShowMessageWithReason(const std::string &text, const std::string &caption, const std::string &document,
                               const std::string &reason) override;
    void OpenFolder(const std::string &folder) override;
    void PumpMessages() override;
    // The command line converts one document at a time (ConvertOne): it has no list of rows.
    std::vector<convert::RowId> DocumentRows() override { return {}; }
    std::optional<convert::DocumentRow> FindDocumentRow(convert::RowId) override { return std::nullopt; }
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
    // Silent: nothing at all is printed (a run that was interrupted).
    void setSilent(bool silent) { silent_ = silent; }
    // Prints a line of the run's own on standard error.
    void note(const std::string &line);
    // Prints what another process printed, as it stands, on standard output.
    void printBlock(const std::string &text);

private:
    void clearBar();

    std::FILE *out_;
    std::FILE *err_;
    bool barOnTerminal_;
    bool quiet_ = false;
    bool silent_ = false;
    bool barVisible_ = false;
    bool barDrawn_ = false;
    int lastPercent_ = -1;
    std::string sizePercent_;
    std::string resolution_ = "72";
    std::string outputFolder_;
};

} // namespace folivex::cli
