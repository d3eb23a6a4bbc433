#include "terminalview.h"

#include "cli/nametext.h"

#include <QCoreApplication>

#include <algorithm>

#include <unistd.h>

namespace folivex::cli {

namespace {
constexpr int kBarWidth = 40;
constexpr const char *kConverting = "Converting  ";
} // namespace

TerminalView::TerminalView(std::FILE *out, std::FILE *err, std::string sizePercent, std::string outputFolder)
    : out_(out), err_(err), barOnTerminal_(::isatty(::fileno(err)) == 1), sizePercent_(std::move(sizePercent)),
      outputFolder_(std::move(outputFolder))
{
}

void TerminalView::DocumentStarted(const convert::DocumentStart &start)
{
    // The line a terminal user follows, as the window's label says it.
    if (quiet_ || silent_)
        return;
    clearBar();
    std::fprintf(out_, "%s\n", ReadableName(kConverting + start.outputName).c_str());
    std::fflush(out_);
}

void TerminalView::DocumentFinished(const convert::DocumentResult &result)
{
    // One line a document without its PDF, quiet or not.
    if (asJob_ || !convert::EndedWithoutPdf(result))
        return;
    note("folivex: " + ReadableName(result.input) + ": " + ReadableName(result.reason));
}

void TerminalView::PageNotCopied(std::int32_t)
{
    printMessage("Warning", "No content.");
}

void TerminalView::BatchFinished(const std::vector<convert::DocumentResult> &results)
{
    if (std::none_of(results.begin(), results.end(), convert::EndedWithoutPdf))
        printMessage("Congratulation", "Successed!");
}

void TerminalView::SetProgressVisible(bool visible)
{
    barVisible_ = visible;
    if (!visible)
        clearBar();
}

void TerminalView::SetProgress(std::int32_t maximum, std::int32_t position)
{
    if (!barOnTerminal_ || !barVisible_ || maximum <= 0 || quiet_ || silent_)
        return;
    const int percent = static_cast<int>(100LL * position / maximum);
    if (percent == lastPercent_)
        return;
    lastPercent_ = percent;
    const int filled = kBarWidth * percent / 100;
    std::fprintf(err_, "\r[%s%s] %3d%%", std::string(filled, '#').c_str(), std::string(kBarWidth - filled, '.').c_str(),
                 percent);
    std::fflush(err_);
    barDrawn_ = true;
}

void TerminalView::clearBar()
{
    if (!barDrawn_)
        return;
    std::fprintf(err_, "\r%*s\r", kBarWidth + 8, "");
    std::fflush(err_);
    barDrawn_ = false;
    lastPercent_ = -1;
}

void TerminalView::printMessage(const std::string &caption, const std::string &text)
{
    if (silent_ || quiet_)
        return;
    clearBar();
    std::fprintf(out_, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(out_);
}

void TerminalView::note(const std::string &line)
{
    if (silent_)
        return;
    clearBar();
    std::fprintf(err_, "%s\n", line.c_str());
    std::fflush(err_);
}

void TerminalView::printBlock(const std::string &text)
{
    if (silent_)
        return;
    clearBar();
    std::fputs(text.c_str(), out_);
    if (!text.empty() && text.back() != '\n')
        std::fputc('\n', out_);
    std::fflush(out_);
}

void TerminalView::OpenFolder(const std::string &folder)
{
    if (silent_ || quiet_)
        return;
    std::fprintf(out_, "The PDFs are in %s\n", ReadableName(folder).c_str());
    std::fflush(out_);
}

void TerminalView::PumpMessages()
{
    QCoreApplication::processEvents();
    if (onPump)
        onPump();
}

} // namespace folivex::cli
