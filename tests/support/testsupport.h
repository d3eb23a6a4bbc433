// Helpers shared by the test suites: outputs in memory, scripted page
// sources, JPEG byte strings of known shape, running the real tools.
#pragma once

#include "core/memorystream.h"
#include "pdf/jpeg2pdf.h"

#include <QImage>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace folivex::test {

using Bytes = std::vector<std::uint8_t>;

// A PDF output held in memory; `committed` and `abandoned` say how it ended.
struct MemoryResult {
    MemoryStream bytes;
    bool committed = false;
    bool abandoned = false;
    std::string name;
};
pdf::OutputOpener MemoryOpener(MemoryResult &result);

// An output whose positions start at `startPosition` and whose bytes are
// counted, not kept: a file too large to write for real.
pdf::OutputOpener CountingOpener(std::uint64_t startPosition);

// Pages given as byte strings; `onCapture(pass, index)` runs before each
// capture (pass 0 measuring, 1 writing) and may throw or change the pages.
class ScriptedPages : public pdf::PageSource {
public:
    explicit ScriptedPages(std::vector<Bytes> pages) : pages(std::move(pages)) {}
    void CapturePage(std::int32_t pageIndex) override;
    void SavePageImage(ByteSink &stream) override;
    // With `detach` set to a page index test, the encoding of those pages is
    // handed over as a job; `detachedJob` runs inside each such job first
    // (it may throw, as a failing encoder would).
    std::function<std::vector<std::uint8_t>()> DetachPageImage() override;
    // Page k's entry of `resolutions`, 72 for pages beyond it.
    std::int32_t PageResolution() override;
    // What `imagePixels` says of the current page; 0 (unknown) without it.
    std::int64_t PageImagePixels() override { return imagePixels ? imagePixels(currentIndex_) : 0; }

    std::vector<Bytes> pages;
    std::vector<std::int32_t> resolutions;
    std::function<void(int pass, int index)> onCapture;
    std::function<bool(int index)> detach;
    std::function<void(int index)> detachedJob;
    std::function<std::int64_t(int index)> imagePixels;
    int captures = 0;

private:
    Bytes current_;
    int currentIndex_ = -1;
};

// A JPEG-shaped byte string of exactly `totalBytes` bytes: SOI, the given
// segments, a frame header (0xFFC0 or 0xFFC2) for width x height with
// `components` components, filler, EOI. Not decodable: for layout tests.
Bytes FakeJpeg(int width, int height, int components, std::size_t totalBytes, std::uint16_t frameMarker = 0xFFC0,
               const Bytes &segmentsBefore = {});

// A real, decodable baseline JPEG of a drawn page.
Bytes RealJpeg(int width, int height, QColor ink = Qt::darkBlue);

// A real four-component (CMYK) JPEG, flat in one ink.
Bytes RealCmykJpeg(int width, int height);

// A drawn test page: white, with a frame and a few bars in `ink`.
QImage DrawnPage(int width, int height, QColor ink = Qt::darkBlue);

std::string ReadFile(const std::filesystem::path &path);
void WriteFile(const std::filesystem::path &path, const std::string &bytes);

struct CommandResult {
    int exitCode;
    std::string output; // standard output and standard error together
};
// Runs a shell command line.
CommandResult RunCommand(const std::string &commandLine);

// Starts `program` with `arguments` in a child process whose standard output
// and error go to /dev/null, with `environment` (name, value) set over this
// process's own; returns its id, for the caller to wait for.
int StartQuietly(const std::string &program, const std::vector<std::string> &arguments,
                 const std::vector<std::pair<std::string, std::string>> &environment = {});

// The live (not zombie) processes whose parent is `parent`.
std::vector<int> ChildProcesses(int parent);

// qpdf --check's verdict on a file: empty when it passes, else what it said.
std::string QpdfProblems(const std::filesystem::path &pdf);

struct ListedImage {
    int page, width, height;
    std::string colour, encoding;
};
// The images that `pdfimages -list` finds in a PDF.
std::vector<ListedImage> ListImages(const std::filesystem::path &pdf);

// A fresh folder removed with its contents when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::filesystem::path &path() const { return path_; }
    std::filesystem::path operator/(const std::string &name) const { return path_ / name; }
    // The names of the entries, sorted.
    std::vector<std::string> entries() const;

private:
    std::filesystem::path path_;
};

} // namespace folivex::test
