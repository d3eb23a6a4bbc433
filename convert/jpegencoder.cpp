#include "jpegencoder.h"

#include "core/error.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <csetjmp>
#include <exception>
#include <cstdio>
#include <cstring>
#include <string>

#include <jpeglib.h>

namespace folivex::convert {

namespace {

constexpr std::size_t kStagingSize = 4096;

// The error manager: a library error keeps the library's message number
// and text, then jumps back to the frame that called setjmp; warnings and
// trace messages are dropped.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
    char text[JMSG_LENGTH_MAX];
};

void exitWithError(j_common_ptr info)
{
    auto *errors = reinterpret_cast<ErrorManager *>(info->err);
    errors->text[0] = '\0';
    info->err->format_message(info, errors->text);
    std::longjmp(errors->escape, 1);
}

void ignoreMessage(j_common_ptr, int) {}
void ignoreOutput(j_common_ptr) {}

// The destination: a 4096-byte staging buffer emptied into a growing vector.
struct Destination {
    jpeg_destination_mgr base;
    std::vector<std::uint8_t> *bytes;
    JOCTET staging[kStagingSize];
};

void initDestination(j_compress_ptr info)
{
    auto *dest = reinterpret_cast<Destination *>(info->dest);
    dest->base.next_output_byte = dest->staging;
    dest->base.free_in_buffer = kStagingSize;
}

boolean emptyBuffer(j_compress_ptr info)
{
    auto *dest = reinterpret_cast<Destination *>(info->dest);
    dest->bytes->insert(dest->bytes->end(), dest->staging, dest->staging + kStagingSize);
    dest->base.next_output_byte = dest->staging;
    dest->base.free_in_buffer = kStagingSize;
    return TRUE;
}

void termDestination(j_compress_ptr info)
{
    auto *dest = reinterpret_cast<Destination *>(info->dest);
    dest->bytes->insert(dest->bytes->end(), dest->staging, dest->staging + (kStagingSize - dest->base.free_in_buffer));
}

// Hands the compressor its rows: `rows(y, count, out)` points out[0..count)
// at rows y .. y + count - 1. Never throws; false stops the compression.
class RowFeed {
public:
    virtual ~RowFeed() = default;
    virtual bool rows(int y, int count, JSAMPROW *out) noexcept = 0;
    // True when rows may be asked for in any order and from two threads at
    // once; otherwise they are asked for top to bottom, from one thread.
    virtual bool randomAccess() const noexcept { return false; }
};

// The rows of one whole bitmap.
class BitmapFeed : public RowFeed {
public:
    explicit BitmapFeed(const QImage &rgb) : rgb_(rgb) {}
    bool rows(int y, int count, JSAMPROW *out) noexcept override
    {
        for (int i = 0; i < count; ++i)
            out[i] = const_cast<JSAMPROW>(rgb_.constScanLine(y + i));
        return true;
    }
    bool randomAccess() const noexcept override { return true; }

private:
    const QImage &rgb_;
};

// Bands painted on the caller's thread and compressed on a second one, so
// that band k + 1 is painted while band k is compressed. Two band images
// take turns: the painter fills one while the compressor reads the other.
// The bands are fixed: band b holds rows [b * bandRows, (b + 1) * bandRows),
// bandRows a multiple of 16, what the compressor asks for at a time.
class BandPipeline : public RowFeed {
public:
    BandPipeline(int width, int height, int bandRows, const BandPainter &paint)
        : width_(width), height_(height), bandRows_(bandRows), paint_(paint)
    {
    }

    // The compressor's thread.
    bool rows(int y, int count, JSAMPROW *out) noexcept override
    {
        const int band = y / bandRows_;
        Slot &slot = slots_[band % 2];
        std::unique_lock<std::mutex> hold(lock_);
        // The rows of the band before are read: its image may be painted again.
        if (band > 0 && slots_[(band - 1) % 2].band == band - 1) {
            slots_[(band - 1) % 2].band = -1;
            changed_.notify_all();
        }
        changed_.wait(hold, [&] { return slot.band == band || stopped_; });
        if (slot.band != band)
            return false;
        for (int i = 0; i < count; ++i)
            out[i] = const_cast<JSAMPROW>(slot.image.constScanLine(y - band * bandRows_ + i));
        return true;
    }

    // The caller's thread: paints every band in turn, each into an image the
    // compressor has done with. Returns at the last band, or early once the
    // compressor has stopped. What the painter throws stops the compressor
    // and is thrown.
    void paintAll()
    {
        try {
            for (int band = 0; band * bandRows_ < height_; ++band) {
                Slot &slot = slots_[band % 2];
                {
                    std::unique_lock<std::mutex> hold(lock_);
                    changed_.wait(hold, [&] { return slot.band == -1 || compressorDone_; });
                    if (compressorDone_)
                        return;
                }
                paintInto(slot.image, band * bandRows_, std::min(bandRows_, height_ - band * bandRows_));
                std::lock_guard<std::mutex> hold(lock_);
                slot.band = band;
                changed_.notify_all();
            }
        } catch (...) {
            // Not swallowed: whatever the painter threw, the compressor is woken first.
            stop();
            throw;
        }
    }

    // Wakes the compressor with no more rows.
    void stop()
    {
        std::lock_guard<std::mutex> hold(lock_);
        stopped_ = true;
        changed_.notify_all();
    }

    void compressorDone()
    {
        std::lock_guard<std::mutex> hold(lock_);
        compressorDone_ = true;
        changed_.notify_all();
    }

private:
    struct Slot {
        QImage image;
        int band = -1; // the band it holds for the compressor, or -1: free
    };

    void paintInto(QImage &image, int top, int rows)
    {
        if (image.isNull() || image.height() != rows) {
            image = QImage(width_, rows, QImage::Format_RGB888);
            if (image.isNull())
                throw Error("Cannot create a band of " + std::to_string(width_) + " x " + std::to_string(rows) +
                                " pixels",
                            {}, 0, "encoding");
        }
        paint_(top, image);
        if (image.format() != QImage::Format_RGB888 || image.width() != width_ || image.height() != rows)
            throw Error("a band came back in another shape", {}, 0, "encoding");
    }

    int width_, height_, bandRows_;
    const BandPainter &paint_;
    Slot slots_[2];
    std::mutex lock_;
    std::condition_variable changed_;
    bool stopped_ = false;
    bool compressorDone_ = false;
};

// Everything the library reads and writes during one compression. It lives
// in the frame of compress(), outside the frame that calls setjmp, so that
// nothing that frame reads after a longjmp is a local it modified (the C
// rule for setjmp: such locals are indeterminate after the jump).
struct Compression {
    jpeg_compress_struct info;
    ErrorManager errors;
    Destination dest;
};

// How a compression ended: `code` 0 when finished, -1 when the feed stopped,
// -2 when a row coded on its own came out malformed (`text` says how), else
// the library's message number with its text in `text`.
struct Outcome {
    int code = 0;
    std::string text;
};

// The library's calls, from creation to the last row. Returns false when the
// feed stopped. A library error longjmps out of here: no object with a
// destructor lives in this frame.
bool writeImage(Compression &c, int width, int height, RowFeed &feed)
{
    jpeg_create_compress(&c.info);
    c.info.dest = &c.dest.base;
    c.info.image_width = static_cast<JDIMENSION>(width);
    c.info.image_height = static_cast<JDIMENSION>(height);
    c.info.input_components = 3;
    c.info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c.info);
    jpeg_set_quality(&c.info, 90, TRUE);
    jpeg_start_compress(&c.info, TRUE);
    JSAMPROW rows[16];
    while (c.info.next_scanline < c.info.image_height) {
        const JDIMENSION count = std::min<JDIMENSION>(16, c.info.image_height - c.info.next_scanline);
        if (!feed.rows(static_cast<int>(c.info.next_scanline), static_cast<int>(count), rows))
            return false;
        jpeg_write_scanlines(&c.info, rows, count);
    }
    jpeg_finish_compress(&c.info);
    return true;
}

// How writeImage ended.
enum class Ending { Finished, FeedStopped, LibraryError };

// The frame that calls setjmp. It modifies nothing: the state is the
// caller's `c`, and after a longjmp it only returns a constant.
Ending writeImageGuarded(Compression &c, int width, int height, RowFeed &feed)
{
    if (setjmp(c.errors.escape))
        return Ending::LibraryError;
    return writeImage(c, width, height, feed) ? Ending::Finished : Ending::FeedStopped;
}

// Runs the compressor over the rows of `feed`, appending the file to `bytes`.
Outcome compress(int width, int height, RowFeed &feed, std::vector<std::uint8_t> &bytes)
{
    Compression c{}; // zeroed: destroying a compressor never created is a no-op
    c.info.err = jpeg_std_error(&c.errors.base);
    c.errors.base.error_exit = exitWithError;
    c.errors.base.emit_message = ignoreMessage;
    c.errors.base.output_message = ignoreOutput;
    c.dest.base.init_destination = initDestination;
    c.dest.base.empty_output_buffer = emptyBuffer;
    c.dest.base.term_destination = termDestination;
    c.dest.bytes = &bytes;

    Outcome outcome;
    switch (writeImageGuarded(c, width, height, feed)) {
    case Ending::Finished: break;
    case Ending::FeedStopped: outcome.code = -1; break;
    case Ending::LibraryError:
        outcome.code = c.errors.base.msg_code;
        outcome.text = c.errors.text;
        break;
    }
    jpeg_destroy_compress(&c.info);
    return outcome;
}

// The error of a compression that the library refused: "JPEG error #N: TEXT",
// the library's message number and its own text.
Error libraryError(const Outcome &outcome)
{
    if (outcome.code == -2)
        return Error(outcome.text, {}, 0, "encoding");
    std::string text = "JPEG error #" + std::to_string(outcome.code);
    if (!outcome.text.empty())
        text += ": " + outcome.text;
    return Error(text);
}

// The rows of one strip of another feed: rows [top, top + height) of it.
class StripFeed : public RowFeed {
public:
    explicit StripFeed(JSAMPROW *rows) : rows_(rows) {}
    bool rows(int y, int count, JSAMPROW *out) noexcept override
    {
        std::copy(rows_ + y, rows_ + y + count, out);
        return true;
    }

private:
    JSAMPROW *rows_;
};

// No rows at all: a compression fed by it stops after its checks.
class NoRows : public RowFeed {
public:
    bool rows(int, int, JSAMPROW *) noexcept override { return false; }
};

// Where the entropy-coded data of a JPEG file from this compressor starts:
// after its start-of-scan segment. 0 where there is none.
std::size_t scanStart(const std::vector<std::uint8_t> &jpeg)
{
    std::size_t at = 2;
    while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF) {
        const std::size_t length = std::size_t(jpeg[at + 2]) << 8 | jpeg[at + 3];
        if (jpeg[at + 1] == 0xDA)
            return at + 2 + length;
        at += 2 + length;
    }
    return 0;
}

// One row of MCUs (16 pixel rows) coded as a JPEG file of its own; a row of
// white is only marked, its file made once for all.
struct CodedRow {
    bool white = false;
    std::vector<std::uint8_t> file;
};

// Codes row `n` of `feed` into `row`.
Outcome codeRow(int width, int height, int n, RowFeed &feed, const std::vector<std::uint8_t> &whiteRow, CodedRow &row)
{
    JSAMPROW rows[16];
    const int y = n * 16;
    const int count = std::min(16, height - y);
    if (!feed.rows(y, count, rows))
        return Outcome{-1, {}};
    row.white = count == 16;
    for (int i = 0; i < count && row.white; ++i)
        row.white = std::memcmp(rows[i], whiteRow.data(), whiteRow.size()) == 0;
    if (row.white)
        return Outcome{};
    StripFeed rowsOfStrip(rows);
    return compress(width, count, rowsOfStrip, row.file);
}

// Appends coded row `n` to `bytes`: after the first row's headers, with the
// image's height in the frame header and the restart interval, the first
// row's coded data; after a restart marker, every other row's.
Outcome appendRow(int width, int height, int n, const std::vector<std::uint8_t> &file, std::vector<std::uint8_t> &bytes)
{
    const std::size_t start = scanStart(file);
    if (start == 0 || file.size() < start + 2 || file[file.size() - 2] != 0xFF || file.back() != 0xD9)
        return Outcome{-2, "a row of the image came out without its scan"};
    if (n == 0) {
        std::size_t at = 2;
        bytes.insert(bytes.end(), file.begin(), file.begin() + 2);
        while (file[at + 1] != 0xDA) {
            const std::size_t length = std::size_t(file[at + 2]) << 8 | file[at + 3];
            const std::size_t here = bytes.size();
            bytes.insert(bytes.end(), file.begin() + std::ptrdiff_t(at),
                         file.begin() + std::ptrdiff_t(at + 2 + length));
            if (file[at + 1] == 0xC0) {
                bytes[here + 5] = std::uint8_t(height >> 8);
                bytes[here + 6] = std::uint8_t(height & 0xFF);
            }
            at += 2 + length;
        }
        const int mcusPerRow = (width + 15) / 16;
        const std::uint8_t restartInterval[] = {
            0xFF, 0xDD, 0x00, 0x04, std::uint8_t(mcusPerRow >> 8), std::uint8_t(mcusPerRow & 0xFF)};
        bytes.insert(bytes.end(), std::begin(restartInterval), std::end(restartInterval));
        bytes.insert(bytes.end(), file.begin() + std::ptrdiff_t(at), file.begin() + std::ptrdiff_t(start));
    } else {
        bytes.push_back(0xFF);
        bytes.push_back(std::uint8_t(0xD0 + (n - 1) % 8));
    }
    bytes.insert(bytes.end(), file.begin() + std::ptrdiff_t(start), file.end() - 2);
    return Outcome{};
}

// The same image as compress() with a restart marker after every row of
// MCUs (16 pixel rows): each row is coded as a JPEG file of its own and its
// coded data spliced in, an all-white row's once for all. Restarting resets
// only the coding of the DC coefficients, so the file decodes to the same
// pixels. The file's headers are the first row's with the image's height
// and the restart interval (one row of MCUs) put in.
//
// Rows are taken in turn from a shared count. When the whole image can be
// read in any order, a second thread codes rows too, on a machine with a
// second core, while this one splices the rows in order as they are done;
// the bytes are the same either way. A coded row is freed once spliced, so
// the rows held besides the file are the few being coded.
Outcome compressRestarted(int width, int height, RowFeed &feed, std::vector<std::uint8_t> &bytes)
{
    // Rows are coded 16 pixel rows at a time, so the library sees the
    // image's height only here: it refuses an image too big with its own
    // error before any row is asked for.
    std::vector<std::uint8_t> headers;
    NoRows none;
    if (const Outcome checked = compress(width, height, none, headers); checked.code != -1)
        return checked.code != 0 ? checked : Outcome{-2, "the library coded an image without its rows"};
    const std::vector<std::uint8_t> whiteRow(std::size_t(width) * 3, 0xFF);
    const int count = (height + 15) / 16;
    std::vector<CodedRow> rows(static_cast<std::size_t>(count));
    std::vector<Outcome> outcomes(static_cast<std::size_t>(count));
    std::vector<char> done(static_cast<std::size_t>(count), 0);
    std::atomic<int> next{0};
    std::mutex lock;
    std::condition_variable finished;
    std::exception_ptr helperFailure;

    auto codeOne = [&](int n) {
        Outcome outcome = codeRow(width, height, n, feed, whiteRow, rows[std::size_t(n)]);
        if (outcome.code != 0)
            next = count; // no row after a failed one is needed
        std::lock_guard<std::mutex> hold(lock);
        outcomes[std::size_t(n)] = std::move(outcome);
        done[std::size_t(n)] = 1;
        finished.notify_all();
    };
    std::thread helper;
    if (feed.randomAccess() && count > 1 && std::thread::hardware_concurrency() > 1)
        helper = std::thread([&] {
            try {
                for (int n; (n = next++) < count;)
                    codeOne(n);
            } catch (...) {
                next = count;
                std::lock_guard<std::mutex> hold(lock);
                helperFailure = std::current_exception();
                finished.notify_all();
            }
        });
    // Whatever way this frame is left, the helper takes no more rows and is joined.
    struct Joined {
        std::thread &thread;
        std::atomic<int> &next;
        int count;
        ~Joined()
        {
            next = count;
            if (thread.joinable())
                thread.join();
        }
    } joined{helper, next, count};

    CodedRow white;
    for (int n = 0; n < count; ++n) {
        // Code rows until this one is done: by this thread, or by the helper.
        for (;;) {
            {
                std::unique_lock<std::mutex> hold(lock);
                if (done[std::size_t(n)] || helperFailure)
                    break;
            }
            const int mine = next++;
            if (mine < count) {
                codeOne(mine);
                continue;
            }
            std::unique_lock<std::mutex> hold(lock);
            finished.wait(hold, [&] { return done[std::size_t(n)] || helperFailure; });
            break;
        }
        {
            std::lock_guard<std::mutex> hold(lock);
            if (helperFailure)
                std::rethrow_exception(helperFailure);
        }
        if (outcomes[std::size_t(n)].code != 0)
            return outcomes[std::size_t(n)];
        CodedRow &row = rows[std::size_t(n)];
        if (row.white && white.file.empty()) {
            std::vector<JSAMPROW> whiteRows(16, const_cast<JSAMPROW>(whiteRow.data()));
            StripFeed rowsOfStrip(whiteRows.data());
            const Outcome outcome = compress(width, 16, rowsOfStrip, white.file);
            if (outcome.code != 0)
                return outcome;
        }
        const Outcome appended = appendRow(width, height, n, row.white ? white.file : row.file, bytes);
        if (appended.code != 0)
            return appended;
        std::vector<std::uint8_t>().swap(row.file);
    }
    bytes.push_back(0xFF);
    bytes.push_back(0xD9);
    return Outcome{};
}

Outcome compressLaidOut(int width, int height, RowFeed &feed, std::vector<std::uint8_t> &bytes, ScanLayout layout)
{
    return layout == ScanLayout::RestartEveryRow ? compressRestarted(width, height, feed, bytes)
                                                 : compress(width, height, feed, bytes);
}

} // namespace

std::vector<std::uint8_t> EncodeBaselineJpeg(const QImage &bitmap, ScanLayout layout)
{
    const QImage rgb =
        bitmap.format() == QImage::Format_RGB888 ? bitmap : bitmap.convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull())
        throw Error("the page bitmap cannot be converted to 24 bits per pixel", {}, 0, "encoding");
    std::vector<std::uint8_t> bytes;
    BitmapFeed feed(rgb);
    const Outcome outcome = compressLaidOut(rgb.width(), rgb.height(), feed, bytes, layout);
    if (outcome.code != 0)
        throw libraryError(outcome);
    return bytes;
}

std::vector<std::uint8_t> EncodeBaselineJpegInBands(int width, int height, int bandRows, const BandPainter &paint,
                                                    ScanLayout layout)
{
    std::vector<std::uint8_t> bytes;
    // Whole groups of 16 rows, what the compressor asks for at a time.
    BandPipeline bands(width, height, std::max(16, (bandRows + 15) / 16 * 16), paint);
    Outcome outcome;
    std::thread compressor([&] {
        outcome = compressLaidOut(width, height, bands, bytes, layout);
        bands.compressorDone();
    });
    try {
        bands.paintAll();
    } catch (...) {
        // Not swallowed: the compressor's thread is joined before the error goes on.
        compressor.join();
        throw;
    }
    compressor.join();
    if (outcome.code == -1)
        throw Error("the bands stopped before the last row", {}, 0, "encoding");
    if (outcome.code != 0)
        throw libraryError(outcome);
    return bytes;
}

} // namespace folivex::convert
