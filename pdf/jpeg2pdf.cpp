#include "jpeg2pdf.h"

#include "core/error.h"
#include "core/resolution.h"
#include "pdf/jpegframe.h"
#include "pdf/pagespool.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <deque>
#include <future>
#include <memory>
#include <thread>

namespace folivex::pdf {

bool StopRequested = false;

namespace {

// A page's size in points, which its image covers.
struct PageEntry {
    JpegColour colour;
    std::int64_t width;
    std::int64_t height;
};

// Raised inside either pass when StopRequested is found set.
struct StopSignal {};

constexpr std::uint64_t kLargestXrefPosition = 9'999'999'999ULL;

std::string number(std::int64_t value)
{
    return std::to_string(value);
}

void pump(const MessagePump &pumpMessages)
{
    if (pumpMessages)
        pumpMessages();
}

void report(const ProgressCallback &progress, std::uint64_t maximum, std::uint64_t position)
{
    if (!progress)
        return;
    // The bar takes 32-bit values: scale both alike when the total is larger.
    int shift = 0;
    while ((maximum >> shift) > static_cast<std::uint64_t>(INT32_MAX))
        ++shift;
    position = std::min(position, maximum);
    progress(static_cast<std::int32_t>(maximum >> shift), static_cast<std::int32_t>(position >> shift));
}

void testStop()
{
    if (StopRequested)
        throw StopSignal{};
}

// Captures the pages in order and hands each page's JPEG file to `take`, in
// the same order. A page whose encoding the source detaches is encoded on
// another thread while the next pages are captured: as many encodings at once
// as the machine has cores, while their pages hold no more pixels together
// than kPixelsInFlight. An error of an encoding is thrown when its page's
// turn comes, after the capture that was running has returned.
class CapturePass {
public:
    CapturePass(PageSource &pages, std::function<void(MemoryStream &, std::int32_t)> take)
        : pages_(pages), take_(std::move(take)),
          encoders_(std::max<std::size_t>(1, std::min<std::size_t>(4, std::thread::hardware_concurrency())))
    {
    }
    // Encodings still running when an error leaves are waited for (the
    // futures' destructors) and their results dropped.

    void capture(std::int32_t index)
    {
        pages_.CapturePage(index);
        const std::int32_t resolution = pages_.PageResolution();
        if (std::function<std::vector<std::uint8_t>()> job = pages_.DetachPageImage()) {
            const std::int64_t pixels = pages_.PageImagePixels();
            while (!inFlight_.empty() && !roomFor(pixels))
                settleOldest();
            inFlight_.push_back({std::async(std::launch::async, std::move(job)), resolution, pixels});
            return;
        }
        settle();
        MemoryStream stream;
        pages_.SavePageImage(stream);
        stream.seek(0);
        take_(stream, resolution);
    }

    // Hands over every page still being encoded, in order.
    void settle()
    {
        while (!inFlight_.empty())
            settleOldest();
    }

private:
    // The pixels of the largest page held whole, as a page bitmap; pages of
    // unknown size count as that much.
    static constexpr std::int64_t kPixelsInFlight = std::int64_t(16) << 20;

    struct Encoding {
        std::future<std::vector<std::uint8_t>> bytes;
        std::int32_t resolution;
        std::int64_t pixels;
    };

    static std::int64_t weight(std::int64_t pixels) { return pixels > 0 ? pixels : kPixelsInFlight; }

    // Whether a page of `pixels` may start encoding beside those in flight.
    bool roomFor(std::int64_t pixels) const
    {
        if (inFlight_.size() + 1 > encoders_)
            return false;
        std::int64_t total = weight(pixels);
        for (const Encoding &e : inFlight_)
            total += weight(e.pixels);
        return total <= kPixelsInFlight;
    }

    void settleOldest()
    {
        Encoding oldest = std::move(inFlight_.front());
        inFlight_.pop_front();
        MemoryStream stream(oldest.bytes.get());
        take_(stream, oldest.resolution);
    }

    PageSource &pages_;
    std::function<void(MemoryStream &, std::int32_t)> take_;
    const std::size_t encoders_;
    std::deque<Encoding> inFlight_;
};

const char *colourSpaceLines(JpegColour colour)
{
    switch (colour) {
    case JpegColour::Cmyk: return "/ColorSpace /DeviceCMYK\n/Decode[1 0 1 0 1 0 1 0]\n";
    case JpegColour::Gray: return "/ColorSpace /DeviceGray\n";
    case JpegColour::Rgb: break;
    }
    return "/ColorSpace /DeviceRGB\n";
}

class Writer {
public:
    Writer(ByteSink &file, const std::vector<PageEntry> &table, const PageSpool &pages, const WriterHooks &hooks,
           std::uint64_t byteTotal)
        : file_(file), table_(table), pages_(pages), hooks_(hooks), byteTotal_(byteTotal),
          n_(static_cast<std::int64_t>(table.size())), offsets_(3 * table.size() + 3)
    {
    }

    void run()
    {
        file_.write("%PDF-1.2\n");
        writeCatalog();
        writePageTree();
        for (std::int64_t k = 0; k < n_; ++k)
            writePage(k);
        for (std::int64_t k = 0; k < n_; ++k)
            writeImage(k);
        for (std::int64_t k = 0; k < n_; ++k) {
            testStop();
            beginObject();
            WritePageContents(file_, 2 * n_ + 3 + k, table_[k].width, table_[k].height);
            pump(hooks_.pumpMessages);
        }
        const std::uint64_t xref = file_.position();
        offsets_[3 * n_ + 2] = xref;
        WriteXref(file_, offsets_, 3 * n_ + 2, hooks_.pumpMessages);
        writeTrailer(xref);
    }

private:
    // Records where the next object begins.
    void beginObject() { offsets_[counter_++] = file_.position(); }

    void writeCatalog()
    {
        beginObject();
        file_.write("1 0 obj\n<<\n/Type /Catalog\n/Pages 2 0 R\n"
                    "/OpenAction [3 0 R /XYZ -32768 -32768 1 ]\n>>\nendobj\n");
    }

    void writePageTree()
    {
        beginObject();
        file_.write("2 0 obj\n<<\n/Type /Pages\n/Kids [ ");
        for (std::int64_t k = 0; k < n_; ++k) {
            testStop();
            file_.write(number(3 + k) + " 0 R ");
            pump(hooks_.pumpMessages);
        }
        file_.write("]\n/Count " + number(n_) + "\n>>\nendobj\n");
    }

    void writePage(std::int64_t k)
    {
        testStop();
        beginObject();
        file_.write(number(3 + k) +
                    " 0 obj\n<<\n/Type /Page\n/Parent 2 0 R\n/Resources\n<<\n"
                    "/XObject << /Im0 " +
                    number(n_ + 3 + k) +
                    " 0 R >>\n"
                    "/ProcSet [ /PDF /ImageC ]\n>>\n"
                    "/MediaBox [ 0 0 " +
                    number(table_[k].width) + " " + number(table_[k].height) +
                    " ]\n"
                    "/Contents " +
                    number(2 * n_ + 3 + k) + " 0 R\n>>\nendobj\n");
        pump(hooks_.pumpMessages);
    }

    void writeImage(std::int64_t k)
    {
        testStop();
        beginObject();
        // The bytes the capture pass measured, read back from the spool; the
        // dictionary is read off them all the same.
        MemoryStream image = pages_.read(static_cast<std::size_t>(k));
        JpegFrame frame;
        if (!ScanJpegFrameHeader(image, frame))
            throw Error("the page image has no frame header that a PDF can describe", {}, static_cast<int>(k + 1),
                        "embedding the image");
        file_.write(number(n_ + 3 + k) +
                    " 0 obj\n<<\n/Type /XObject\n/Subtype /Image\n/Name /Im0\n"
                    "/Width " +
                    number(frame.width) + "\n/Height " + number(frame.height) +
                    "\n"
                    "/BitsPerComponent 8\n/Filter [/DCTDecode]\n");
        file_.write(colourSpaceLines(frame.colour));
        file_.write("/Length " + number(static_cast<std::int64_t>(image.size())) + " >>\nstream\n");
        file_.write(image.bytes().data(), image.size());
        runningCount_ += image.size();
        report(hooks_.progress, byteTotal_, runningCount_);
        file_.write("endstream\nendobj\n");
        pump(hooks_.pumpMessages);
    }

    void writeTrailer(std::uint64_t xref)
    {
        file_.write("trailer\n<<\n/Size " + number(3 * n_ + 3) + "\n/Root 1 0 R\n>>\nstartxref\n" +
                    std::to_string(xref) + "\n%%EOF");
    }

    ByteSink &file_;
    const std::vector<PageEntry> &table_;
    const PageSpool &pages_;
    const WriterHooks &hooks_;
    const std::uint64_t byteTotal_;
    const std::int64_t n_;
    std::vector<std::uint64_t> offsets_;
    std::int64_t counter_ = 0;
    std::uint64_t runningCount_ = 0;
};

} // namespace

void WritePageContents(ByteSink &file, std::int64_t objectNumber, std::int64_t width, std::int64_t height)
{
    const std::string contents = "q\n" + number(width) + " 0 0 " + number(height) + " 0 0 cm\n/Im0 Do\nQ\n";
    file.write(number(objectNumber) + " 0 obj\n<< /Length " + number(static_cast<std::int64_t>(contents.size())) +
               " >>\nstream\n");
    file.write(contents);
    file.write("endstream\nendobj\n");
}

void WriteXref(ByteSink &file, const std::vector<std::uint64_t> &offsets, std::int64_t objectCount,
               const MessagePump &pumpMessages)
{
    for (std::int64_t k = 0; k < objectCount; ++k)
        if (offsets[k] > kLargestXrefPosition)
            throw Error("the file is too large for the positions of its cross-reference table", {}, 0,
                        "cross-reference table");
    file.write("xref\n0 " + number(objectCount + 1) + "\n0000000000 65535 f \n");
    char entry[32];
    for (std::int64_t k = 0; k < objectCount; ++k) {
        std::snprintf(entry, sizeof entry, "%010llu 00000 n \n", static_cast<unsigned long long>(offsets[k]));
        file.write(entry, 20);
        pump(pumpMessages);
    }
}

int WritePdf(const std::string &outputName, std::int32_t pageCount, PageSource &pages, const WriterHooks &hooks,
             std::string *failureText)
{
    // Capture pass: measure every page and keep its bytes for the writing
    // pass, so that each page is rendered and encoded once.
    std::vector<PageEntry> table;
    std::uint64_t byteTotal = 0;
    std::unique_ptr<PageSpool> spool;
    if (!outputName.empty() && pageCount > 0)
        spool = std::make_unique<PageSpool>(outputName);
    JpegFrame frame; // a scan that finds no usable frame leaves the previous page's values
    CapturePass capturePass(pages, [&](MemoryStream &page, std::int32_t resolution) {
        ScanJpegFrameHeader(page, frame);
        table.push_back(
            {frame.colour, PointsOfPixels(frame.width, resolution), PointsOfPixels(frame.height, resolution)});
        byteTotal += page.size();
        if (spool)
            spool->append(page);
    });
    // The bar follows the capture pass in pages: rendering and encoding the
    // pages is the whole of the work, the writing pass only copies the kept
    // bytes.
    const bool reporting = !outputName.empty();
    try {
        for (std::int32_t p = 0; p < pageCount; ++p) {
            testStop();
            capturePass.capture(p);
            if (reporting)
                report(hooks.progress, static_cast<std::uint64_t>(pageCount), static_cast<std::uint64_t>(p) + 1);
            pump(hooks.pumpMessages);
        }
        capturePass.settle();
    } catch (const StopSignal &) {
        // No output exists yet; a page still being encoded is waited for
        // when the capture pass goes, and dropped with the rest.
        table.clear();
        spool.reset();
        if (reporting)
            report(hooks.progress, 0, 0);
        return kStopped;
    }

    if (outputName.empty() || pageCount <= 0)
        return kNothingWritten;

    report(hooks.progress, 0, 0);
    std::unique_ptr<PdfOutput> output = hooks.openOutput ? hooks.openOutput(outputName) : OpenFileOutput(outputName);

    auto abandon = [&](int result) {
        output->abandon();
        table.clear();
        report(hooks.progress, 0, 0);
        return result;
    };
    try {
        Writer(output->sink(), table, *spool, hooks, byteTotal).run();
        output->commit();
    } catch (const StopSignal &) {
        return abandon(kStopped);
    } catch (const std::exception &error) {
        if (failureText)
            *failureText = error.what();
        return abandon(kFailed);
    } catch (...) {
        // Not swallowed: the document fails like any other. An exception of
        // no standard type has no text to carry, so the reason names the file.
        if (failureText)
            *failureText = "an unknown error while writing " + outputName;
        return abandon(kFailed);
    }
    table.clear();
    report(hooks.progress, 0, 0);
    return kWritten;
}

} // namespace folivex::pdf
