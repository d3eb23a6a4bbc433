// jpeg2pdf: writes one PDF 1.2 file whose every page is one full-page JPEG.
//
// WritePdf pulls the pages itself through a PageSource, in two passes: a
// capture pass that captures every page once, measures it (size, colour,
// byte length) and keeps its bytes in a PageSpool, and a writing pass that
// embeds those same bytes when they are due. StopRequested is read before
// every page of the capture pass and every object of the writing pass: a
// stop drops what was done and leaves no file. A page whose encoding the
// source detaches is encoded on another thread while the next pages are
// captured: up to one encoding a core, while the pages being encoded hold
// no more than 16 Mi pixels together.
#pragma once

#include "core/bytesink.h"
#include "core/memorystream.h"
#include "pdf/pdfoutput.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace folivex::pdf {

// Result codes of WritePdf.
inline constexpr int kNothingWritten = -1; // empty output name or no pages; no file created
inline constexpr int kWritten = -2;        // the file is complete
inline constexpr int kFailed = -3;         // an error during the writing pass; no file left
inline constexpr int kStopped = -4;        // StopRequested during either pass; no file written

// Set by the Stop button and cleared by the batch when a document begins, so
// that a stop pressed between two documents does not reach the next one.
// WritePdf reads it, and leaves it as it found it. Used on the
// user-interface thread only.
extern bool StopRequested;

// Called with the maximum first and the position second: during the capture
// pass in pages (pages captured of the page count), then (0, 0) as the
// writing pass begins, then in JPEG bytes (written of the total), and (0, 0)
// at its end.
using ProgressCallback = std::function<void(std::int32_t maximum, std::int32_t position)>;
// Handles the pending window messages and returns.
using MessagePump = std::function<void()>;

// The pages of one document.
class PageSource {
public:
    virtual ~PageSource() = default;
    // Captures page `pageIndex` (from 0) into the page image holder.
    virtual void CapturePage(std::int32_t pageIndex) = 0;
    // Saves the holder's page image, a complete JPEG file, into `stream`.
    virtual void SavePageImage(ByteSink &stream) = 0;
    // May hand over the encoding of the page just captured, to run on another
    // thread while the next page is captured: a job that returns the page's
    // complete JPEG file, or throws what SavePageImage would, and touches
    // nothing the source goes on using. An empty job (the default) means the
    // page is saved with SavePageImage, on the calling thread.
    virtual std::function<std::vector<std::uint8_t>()> DetachPageImage() { return {}; }
    // The pixels of the page whose encoding was just detached, which bound
    // how many pages are encoded at once; 0 (the default) when unknown: such
    // a page is encoded alone.
    virtual std::int64_t PageImagePixels() { return 0; }
    // The pixels per inch of the page just captured (72 to 600): its PDF page
    // is its image's pixels x 72 / this, in whole points, the image drawn
    // over all of it. At 72 a pixel is a point.
    virtual std::int32_t PageResolution() { return 72; }
};

struct WriterHooks {
    ProgressCallback progress; // empty: no progress reports
    MessagePump pumpMessages;  // empty: nothing to pump
    OutputOpener openOutput;   // empty: OpenFileOutput
};

// Writes `pageCount` pages of `pages` into the PDF `outputName` and returns a
// result code. Errors of the capture pass and a failure to create the output
// are thrown (folivex::Error) with no file left behind; an error after the
// output exists gives kFailed, its description in *failureText when given.
// A stop found before a page of the capture pass or an object of the writing
// pass gives kStopped: the pages captured so far are dropped, progress goes
// back to (0, 0), and a file that already had the output name is kept.
int WritePdf(const std::string &outputName, std::int32_t pageCount, PageSource &pages, const WriterHooks &hooks,
             std::string *failureText = nullptr);

// Writes content object `objectNumber`, which draws /Im0 over a page of
// width x height points.
void WritePageContents(ByteSink &file, std::int64_t objectNumber, std::int64_t width, std::int64_t height);

// Writes the cross-reference table of objects 1..objectCount whose positions
// are offsets[0..objectCount-1]. Throws folivex::Error when a position does
// not fit the ten digits of an entry.
void WriteXref(ByteSink &file, const std::vector<std::uint64_t> &offsets, std::int64_t objectCount,
               const MessagePump &pumpMessages = {});

} // namespace folivex::pdf
