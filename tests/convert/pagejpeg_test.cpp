// The JPEG image holder: when it encodes, what it writes, what it refuses.
#include "convert/pagejpeg.h"
#include "pdf/jpegframe.h"
#include "core/error.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <thread>

#include <cstring>

using namespace folivex;
using namespace folivex::test;
using folivex::convert::PageJpeg;
using folivex::convert::ScanLayout;

namespace {

// What a save of a bitmap over 65500 pixels wide or tall throws: the
// library's message number and its own text.
const std::string kTooBig = "JPEG error #41: Maximum supported image dimension is 65500 pixels";

Bytes save(PageJpeg &holder)
{
    MemoryStream stream;
    holder.SaveToStream(stream);
    return stream.bytes();
}

// The marker segments of a JPEG file up to its first scan.
std::vector<std::pair<int, Bytes>> segments(const Bytes &jpeg)
{
    std::vector<std::pair<int, Bytes>> found;
    std::size_t at = 2;
    while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF) {
        const int marker = jpeg[at + 1];
        const std::size_t length = jpeg[at + 2] << 8 | jpeg[at + 3];
        found.emplace_back(marker, Bytes(jpeg.begin() + at + 4, jpeg.begin() + at + 2 + length));
        if (marker == 0xDA)
            break;
        at += 2 + length;
    }
    return found;
}

std::string saveError(PageJpeg &holder)
{
    try {
        save(holder);
    } catch (const Error &error) {
        return error.text();
    }
    return "no error";
}

} // namespace

TEST(PageJpegHolder, EncodesOnceAndWritesTheSameBytesAgain)
{
    PageJpeg holder;
    holder.Assign(DrawnPage(120, 90));
    const Bytes first = save(holder);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(save(holder), first);

    // A new assign drops the old bytes.
    holder.Assign(DrawnPage(60, 45));
    const Bytes second = save(holder);
    EXPECT_NE(second, first);
    MemoryStream stream(second);
    pdf::JpegFrame frame;
    ASSERT_TRUE(pdf::ScanJpegFrameHeader(stream, frame));
    EXPECT_EQ(frame.width, 60);
    EXPECT_EQ(frame.height, 45);
}

TEST(PageJpegHolder, WritesBaselineJfifWithThreeEightBitComponents)
{
    PageJpeg holder;
    QImage page = DrawnPage(100, 70);
    holder.Assign(page.convertToFormat(QImage::Format_ARGB32)); // any format is taken as 24-bit
    const Bytes jpeg = save(holder);
    ASSERT_GE(jpeg.size(), 4u);
    EXPECT_EQ(jpeg[0], 0xFF);
    EXPECT_EQ(jpeg[1], 0xD8);
    EXPECT_EQ(jpeg[jpeg.size() - 2], 0xFF);
    EXPECT_EQ(jpeg[jpeg.size() - 1], 0xD9);
    const auto found = segments(jpeg);
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found[0].first, 0xE0);
    EXPECT_EQ(std::string(found[0].second.begin(), found[0].second.begin() + 5), std::string("JFIF\0", 5));
    bool baseline = false;
    for (const auto &[marker, body] : found) {
        EXPECT_NE(marker, 0xC2) << "not progressive";
        if (marker == 0xC0) {
            baseline = true;
            EXPECT_EQ(body[0], 8) << "bits per sample";
            EXPECT_EQ(body[5], 3) << "components";
        }
    }
    EXPECT_TRUE(baseline);
    // Quality 90 keeps a drawn page close to its bitmap.
    const QImage decoded = QImage::fromData(jpeg.data(), static_cast<int>(jpeg.size()), "JPEG");
    ASSERT_EQ(decoded.size(), page.size());
    EXPECT_LT(qGray(decoded.pixel(10, 10)), 100);
    EXPECT_GT(qGray(decoded.pixel(50, 5)), 240);
}

TEST(PageJpegHolder, AnEmptyBitmapSavesNothing)
{
    PageJpeg holder;
    EXPECT_TRUE(save(holder).empty()) << "nothing captured since start-up";
    holder.Assign(QImage(0, 10, QImage::Format_RGB888));
    EXPECT_TRUE(save(holder).empty());
    holder.Assign(QImage(10, 0, QImage::Format_RGB888));
    EXPECT_TRUE(save(holder).empty());
}

TEST(PageJpegHolder, TheLibraryLimitIs65500Pixels)
{
    PageJpeg holder;
    QImage tall(1, 65500, QImage::Format_RGB888);
    tall.fill(Qt::white);
    holder.Assign(tall);
    EXPECT_FALSE(save(holder).empty());

    QImage taller(1, 65501, QImage::Format_RGB888);
    taller.fill(Qt::white);
    holder.Assign(taller);
    EXPECT_EQ(saveError(holder), kTooBig);
    EXPECT_EQ(saveError(holder), kTooBig) << "a failed encoding is not taken for a finished one";

    QImage wider(65501, 1, QImage::Format_RGB888);
    wider.fill(Qt::white);
    holder.Assign(wider);
    EXPECT_EQ(saveError(holder), kTooBig);

    holder.Assign(DrawnPage(20, 20));
    EXPECT_FALSE(save(holder).empty()) << "the holder recovers at the next assign";

    // Rows coded 16 pixel rows at a time, each a file of its own, still
    // make one image: the library's limit is the whole image's.
    holder.Assign(tall, ScanLayout::RestartEveryRow);
    EXPECT_FALSE(save(holder).empty());
    holder.Assign(taller, ScanLayout::RestartEveryRow);
    EXPECT_EQ(saveError(holder), kTooBig);
    holder.Assign(wider, ScanLayout::RestartEveryRow);
    EXPECT_EQ(saveError(holder), kTooBig);
    PageJpeg banded;
    banded.AssignBands(
        10, 65501, 640, [](int, QImage &band) { band.fill(Qt::white); }, ScanLayout::RestartEveryRow);
    EXPECT_EQ(saveError(banded), kTooBig);
}

// A page encoded band by band gives the bytes of the whole bitmap, whatever
// the band height; a band that cannot be drawn fails the save with its own
// error, and the holder tries again at the next save.
TEST(PageJpegHolder, BandsEncodeToTheBytesOfTheWholeBitmap)
{
    const QImage page = DrawnPage(301, 517);
    PageJpeg whole;
    whole.Assign(page);
    const Bytes expected = save(whole);

    auto copyRows = [&page](int top, QImage &band) {
        for (int y = 0; y < band.height(); ++y)
            std::memcpy(band.scanLine(y), page.constScanLine(top + y), size_t(page.width()) * 3);
    };
    for (int rows : {1, 16, 17, 100, 516, 517, 4000}) {
        PageJpeg banded;
        int bands = 0;
        banded.AssignBands(page.width(), page.height(), rows, [&](int top, QImage &band) {
            ++bands;
            copyRows(top, band);
        });
        EXPECT_EQ(save(banded), expected) << rows << " rows a band";
        const int bandRows = std::max(16, (rows + 15) / 16 * 16);
        EXPECT_EQ(bands, (page.height() + bandRows - 1) / bandRows);
        EXPECT_TRUE(banded.bitmap().isNull()) << "no whole bitmap is kept";
        EXPECT_EQ(save(banded), expected) << "the second save writes the same bytes";
    }

    PageJpeg failing;
    bool fail = true;
    failing.AssignBands(page.width(), page.height(), 64, [&](int top, QImage &band) {
        if (fail && top > 0)
            throw Error("LibreOffice ended while drawing");
        copyRows(top, band);
    });
    EXPECT_EQ(saveError(failing), "LibreOffice ended while drawing");
    fail = false;
    EXPECT_EQ(save(failing), expected) << "a failed save is tried again";

    PageJpeg tooTall;
    tooTall.AssignBands(10, 65501, 640, [](int, QImage &band) { band.fill(Qt::white); });
    EXPECT_EQ(saveError(tooTall), kTooBig);
}

// A restart marker after every row of 16 pixel rows, each row coded on its
// own: the same pixels as one piece, band by band too, with white rows
// coded once for all.
TEST(PageJpegHolder, RowsCodedOnTheirOwnDecodeToThePixelsOfOnePiece)
{
    // A drawn page inside white margins; 700 rows end in a row of 12.
    QImage page(461, 700, QImage::Format_RGB888);
    page.fill(Qt::white);
    const QImage drawn = DrawnPage(301, 517);
    for (int y = 0; y < drawn.height(); ++y)
        std::memcpy(page.scanLine(90 + y) + 3 * 80, drawn.constScanLine(y), size_t(drawn.width()) * 3);
    const auto decoded = [](const Bytes &jpeg) {
        return QImage::fromData(jpeg.data(), int(jpeg.size()), "JPEG").convertToFormat(QImage::Format_RGB888);
    };
    for (const QImage &image : {page, DrawnPage(33, 7), QImage(page.copy(0, 0, 461, 64))}) {
        SCOPED_TRACE(std::to_string(image.width()) + " x " + std::to_string(image.height()));
        PageJpeg continuous, restarted;
        continuous.Assign(image);
        restarted.Assign(image, ScanLayout::RestartEveryRow);
        const Bytes whole = save(continuous), rows = save(restarted);
        ASSERT_FALSE(decoded(rows).isNull());
        EXPECT_EQ(decoded(rows), decoded(whole)) << "the same pixels";
        EXPECT_LT(rows.size(), whole.size() + whole.size() / 20 + 64);

        const auto found = segments(rows);
        const auto frame = std::find_if(found.begin(), found.end(), [](const auto &s) { return s.first == 0xC0; });
        const auto interval = std::find_if(found.begin(), found.end(), [](const auto &s) { return s.first == 0xDD; });
        ASSERT_NE(frame, found.end());
        ASSERT_NE(interval, found.end());
        EXPECT_EQ(frame->second[1] << 8 | frame->second[2], image.height()) << "the whole image's height";
        EXPECT_EQ(interval->second[0] << 8 | interval->second[1], (image.width() + 15) / 16) << "one row of MCUs";
        // Restart markers 0 to 7 in turn, one between every two rows.
        std::vector<int> markers;
        for (size_t at = 2; at + 1 < rows.size(); ++at)
            if (rows[at] == 0xFF && rows[at + 1] >= 0xD0 && rows[at + 1] <= 0xD7)
                markers.push_back(rows[at + 1] - 0xD0);
        ASSERT_EQ(int(markers.size()), (image.height() + 15) / 16 - 1);
        for (size_t i = 0; i < markers.size(); ++i)
            EXPECT_EQ(markers[i], int(i % 8));

        PageJpeg banded;
        banded.AssignBands(
            image.width(), image.height(), 48,
            [&](int top, QImage &band) {
                for (int y = 0; y < band.height(); ++y)
                    std::memcpy(band.scanLine(y), image.constScanLine(top + y), size_t(image.width()) * 3);
            },
            ScanLayout::RestartEveryRow);
        EXPECT_EQ(save(banded), rows) << "band by band, the same bytes";
    }
}

// Bands are painted on the saving thread (the painter talks to the Office
// host, which is not shared between threads) while the compressor works on
// another; a compressor that refuses the image stops the painting early.
TEST(PageJpegHolder, BandsArePaintedOnTheSavingThreadAndStopWithTheCompressor)
{
    const QImage page = DrawnPage(120, 900);
    std::set<std::thread::id> painters;
    PageJpeg banded;
    banded.AssignBands(page.width(), page.height(), 32, [&](int top, QImage &band) {
        painters.insert(std::this_thread::get_id());
        for (int y = 0; y < band.height(); ++y)
            std::memcpy(band.scanLine(y), page.constScanLine(top + y), size_t(page.width()) * 3);
    });
    PageJpeg whole;
    whole.Assign(page);
    EXPECT_EQ(save(banded), save(whole));
    EXPECT_EQ(painters, std::set<std::thread::id>{std::this_thread::get_id()});

    int painted = 0;
    PageJpeg tooWide;
    tooWide.AssignBands(65501, 4096, 16, [&](int, QImage &band) {
        ++painted;
        band.fill(Qt::white);
    });
    EXPECT_EQ(saveError(tooWide), kTooBig);
    EXPECT_LE(painted, 3) << "the painting stops once the compressor has given up";
}
