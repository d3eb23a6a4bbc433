// CapturePage with scripted applications: the geometry of the page bitmap,
// Word's page selection, and every failure of the capture.
#include "convert/pagecapture.h"
#include "convert/wordpages.h"
#include "core/error.h"
#include "core/resolution.h"
#include "pdf/jpegframe.h"
#include "scriptedoffice.h"

#include <gtest/gtest.h>

using namespace folivex;
using namespace folivex::test;

namespace {

class Capture : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto &clipboard = clipboard::ProcessClipboard();
        if (clipboard.isOpen())
            clipboard.close();
        clipboard.open();
        clipboard.empty();
        clipboard.close();
    }

    // Captures page `index` and returns the saved JPEG's frame (0 x 0 when nothing was saved).
    pdf::JpegFrame capture(ScriptedOffice &office, int index = 0)
    {
        const Variant app = office.application();
        pageCapture.CapturePage(index, clipboard::ProcessClipboard(), app, office.kind);
        return frameOfSaved();
    }

    pdf::JpegFrame frameOfSaved()
    {
        MemoryStream stream;
        pageJpeg.SaveToStream(stream);
        saved = stream.size();
        pdf::JpegFrame frame;
        if (stream.size() > 0)
            pdf::ScanJpegFrameHeader(stream, frame);
        return frame;
    }

    std::string captureError(ScriptedOffice &office, int index = 0)
    {
        try {
            capture(office, index);
        } catch (const Error &error) {
            return error.text();
        }
        return "no error";
    }

    RecordingView view;
    convert::PageJpeg pageJpeg;
    convert::PageCapture pageCapture{view, pageJpeg};
    std::size_t saved = 0;
};

std::pair<int, int> size(const pdf::JpegFrame &frame)
{
    return {frame.width, frame.height};
}

int pixelsOf(std::int64_t points, std::int32_t resolution)
{
    return int(PixelsOfPoints(points, resolution));
}

} // namespace

TEST_F(Capture, WordPagesAreScaledAndFramedByUnscaledMargins)
{
    ScriptedOffice word;
    EXPECT_EQ(size(capture(word)), std::make_pair(756, 936));
    view.sizePercent = "50";
    EXPECT_EQ(size(capture(word)), std::make_pair(450, 540));
    // The picture fills the scaled page and sits inside the margins.
    const QImage &framed = pageJpeg.bitmap();
    EXPECT_EQ(framed.pixelColor(71, 71), QColor(Qt::white));
    EXPECT_EQ(framed.pixelColor(72, 72), QColor(Qt::black));
    EXPECT_EQ(framed.pixelColor(72 + 305, 72 + 395), QColor(Qt::black));
    EXPECT_EQ(framed.pixelColor(72 + 306, 72 + 396), QColor(Qt::white));
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(Capture, SlidesHaveNoMargins)
{
    ScriptedOffice powerPoint;
    powerPoint.kind = 2;
    powerPoint.geometry = {720, 540, 99, 99, 99, 99};
    view.sizePercent = "50";
    EXPECT_EQ(size(capture(powerPoint, 4)), std::make_pair(360, 270));
    EXPECT_EQ(powerPoint.selectedPage, 5);
}

TEST_F(Capture, SheetsUseTheirUsedRangeAndMargins)
{
    ScriptedOffice excel;
    excel.kind = 3;
    excel.geometry = {300.4, 200.6, 10, 20, 30, 40};
    EXPECT_EQ(size(capture(excel, 1)), std::make_pair(330, 271));
    EXPECT_EQ(excel.selectedPage, 2);
}

TEST_F(Capture, HalvesTiesAndMarginsRoundToEven)
{
    ScriptedOffice slide;
    slide.kind = 2;
    view.sizePercent = "50";
    slide.geometry.width = 5;
    slide.geometry.height = 7;
    EXPECT_EQ(size(capture(slide)), std::make_pair(2, 4));

    ScriptedOffice word;
    word.geometry = {100, 100, 0.5, 1.5, 2.5, 0};
    view.sizePercent = "100";
    EXPECT_EQ(size(capture(word)), std::make_pair(100 + 0 + 2, 100 + 2 + 0));
    view.sizePercent = "55.5"; // 0.555 x 100 = 55.5, the tie goes to 56
    EXPECT_EQ(size(capture(word)), std::make_pair(56 + 2, 56 + 2));

    // 30.1% of 500 is 150.5 in doubles (30.1 is stored a little above
    // itself) but 150.49999... in extended precision, the nearest to the text.
    slide.geometry.width = 500;
    slide.geometry.height = 1000;
    view.sizePercent = "30.1";
    EXPECT_EQ(size(capture(slide)), std::make_pair(150, 301));
}

TEST_F(Capture, AFailedCopyShowsNoContentAndFailsWithItsCause)
{
    ScriptedOffice good;
    good.geometry = {100, 50, 0, 0, 0, 0};
    capture(good);
    const std::size_t first = saved;

    ScriptedOffice word;
    word.copyFails = [](int n) { return n == 2; };
    EXPECT_EQ(captureError(word, 1), "No content. The page could not be copied: Nothing to copy");
    EXPECT_EQ(view.messages, std::vector<std::string>{"Warning: No content."});
    EXPECT_EQ(size(frameOfSaved()), std::make_pair(100, 50)) << "the holder keeps what it had";
    EXPECT_EQ(saved, first);
    EXPECT_TRUE(clipboard::ProcessClipboard().formats().empty());
}

TEST_F(Capture, ABitmapOnTheClipboardGivesAWhitePage)
{
    ScriptedOffice word;
    word.copyFormat = clipboard::Dib;
    word.geometry = {40, 30, 1, 1, 1, 1};
    EXPECT_EQ(size(capture(word)), std::make_pair(42, 32));
    EXPECT_EQ(pageJpeg.bitmap().pixelColor(20, 15), QColor(Qt::white));
}

TEST_F(Capture, ClipboardFailuresReachTheCaller)
{
    ScriptedOffice other;
    other.kind = 7;
    EXPECT_EQ(captureError(other), "Invalid clipboard format");
    EXPECT_TRUE(other.log.empty()) << "no Office call for an unknown kind";

    ScriptedOffice noData;
    noData.kind = 2;
    noData.copyFormat = clipboard::MetafilePicture;
    noData.copyWithoutData = true;
    EXPECT_EQ(captureError(noData), "Unsupported clipboard format");
    EXPECT_TRUE(clipboard::ProcessClipboard().formats().empty()) << "emptied on the way out";

    ScriptedOffice word;
    clipboard::Clipboard &clipboard = clipboard::ProcessClipboard();
    clipboard.open();
    EXPECT_EQ(captureError(word), "Cannot open clipboard") << "someone else holds it open";
    clipboard.close();
}

TEST_F(Capture, SizePercentagesThatAreNoNumberOrOutOfRangeFail)
{
    ScriptedOffice word;
    capture(word);
    const QImage before = pageJpeg.bitmap();
    view.sizePercent = "abc";
    EXPECT_EQ(captureError(word), "'abc' is not a valid floating point value");
    view.sizePercent = "1000000";
    EXPECT_EQ(captureError(word), "The size percentage '1000000' is not between 30 and 100.");
    view.sizePercent = "29.9";
    EXPECT_EQ(captureError(word), "The size percentage '29.9' is not between 30 and 100.");
    EXPECT_EQ(pageJpeg.bitmap(), before) << "PageJpeg untouched";
    EXPECT_TRUE(clipboard::ProcessClipboard().formats().empty());
}

TEST_F(Capture, PagesBeyondTheEncoderFailBeforeTheirMemoryIsSpent)
{
    ScriptedOffice excel;
    excel.kind = 3;
    excel.geometry = {100, 1.5e6, 0, 0, 0, 0}; // a used range a million and a half points tall
    EXPECT_EQ(captureError(excel), "The worksheet is 100 x 1500000 pixels, more than the 65500 pixels a JPEG image "
                                   "can have on a side, even at the smallest size, 30%.");
    excel.geometry = {100, 65500, 0, 0, 0, 0};
    EXPECT_EQ(size(capture(excel)), std::make_pair(100, 65500));
    excel.geometry = {100, 80000, 0, 0, 0, 0};
    EXPECT_EQ(captureError(excel), "The worksheet is 100 x 80000 pixels, more than the 65500 pixels a JPEG image "
                                   "can have on a side; at a size of 81% (--size 81) it would fit.");
    view.sizePercent = "81";
    EXPECT_EQ(size(capture(excel)), std::make_pair(81, 64800));
}

TEST_F(Capture, AtAResolutionEveryLengthInPointsHasItsPixels)
{
    // Letter with 72 pt margins at 150 dpi: 1575 x 1950 pixels, the
    // picture played over the page's own 1275 x 1650 inside 150-pixel margins.
    ScriptedOffice word;
    view.resolution = "150";
    EXPECT_EQ(size(capture(word)), std::make_pair(1575, 1950));
    EXPECT_EQ(pageCapture.Resolution(), 150);
    const QImage &framed = pageJpeg.bitmap();
    EXPECT_EQ(framed.pixelColor(149, 149), QColor(Qt::white));
    EXPECT_EQ(framed.pixelColor(150, 150), QColor(Qt::black));
    EXPECT_EQ(framed.pixelColor(150 + 1274, 150 + 1649), QColor(Qt::black));
    EXPECT_EQ(framed.pixelColor(150 + 1275, 150 + 1650), QColor(Qt::white));

    // The size percentage scales the page in points first: half of Letter at
    // 300 dpi is 1275 x 1650 pixels, framed by 300-pixel margins.
    view.sizePercent = "50";
    view.resolution = "300";
    EXPECT_EQ(size(capture(word)), std::make_pair(1875, 2250));

    // Edges fall where their points fall: a 0.5 pt margin rounds to 0 pt,
    // 2.5 pt to 2 pt, and at 150 dpi those are 0 and 4 pixels, 100 pt 208.
    ScriptedOffice slide;
    slide.kind = 2;
    slide.geometry = {100, 100, 0, 0, 0, 0};
    view.sizePercent = "100";
    view.resolution = "150";
    EXPECT_EQ(size(capture(slide)), std::make_pair(208, 208));
    word.geometry = {100, 100, 0.5, 1.5, 2.5, 0};
    EXPECT_EQ(size(capture(word)), std::make_pair(pixelsOf(102, 150), pixelsOf(102, 150)));
    EXPECT_EQ(pageJpeg.bitmap().pixelColor(3, 3), QColor(Qt::white)) << "the 2 pt top margin is 4 pixels";
    EXPECT_EQ(pageJpeg.bitmap().pixelColor(4, 4), QColor(Qt::black));

    view.resolution = "72";
    EXPECT_EQ(size(capture(word)), std::make_pair(102, 102));
    EXPECT_EQ(pageCapture.Resolution(), 72);
}

TEST_F(Capture, AResolutionOutOfRangeOrTooLargeAPageFailsWithWhatWouldFit)
{
    ScriptedOffice excel;
    excel.kind = 3;
    excel.geometry = {100, 30000, 0, 0, 0, 0};
    view.resolution = "300";
    EXPECT_EQ(captureError(excel), "The worksheet is 417 x 125000 pixels, more than the 65500 pixels a JPEG image "
                                   "can have on a side; at a size of 52% (--size 52) it would fit, or at 157 dpi "
                                   "(--resolution 157).");
    excel.geometry = {100, 200000, 0, 0, 0, 0};
    view.resolution = "150";
    EXPECT_EQ(captureError(excel), "The worksheet is 208 x 416667 pixels, more than the 65500 pixels a JPEG image "
                                   "can have on a side, even at the smallest size, 30%.")
        << "no resolution of 72 or more fits either";
    excel.geometry = {100, 100000, 0, 0, 0, 0};
    view.resolution = "100";
    EXPECT_EQ(captureError(excel), "The worksheet is 139 x 138889 pixels, more than the 65500 pixels a JPEG image "
                                   "can have on a side; at a size of 47% (--size 47) it would fit.")
        << "47 dpi is below the lowest resolution";
    const QImage before = pageJpeg.bitmap();
    for (const char *text : {"601", "71", "96.5", "dpi"}) {
        view.resolution = text;
        EXPECT_EQ(captureError(excel),
                  std::string("The resolution '") + text + "' is not a whole number from 72 to 600 dpi.");
    }
    EXPECT_EQ(pageJpeg.bitmap(), before) << "PageJpeg untouched";
    EXPECT_TRUE(clipboard::ProcessClipboard().formats().empty());
}

TEST_F(Capture, WordSelectsThePageAndTheLastPageRunsToTheEnd)
{
    ScriptedOffice word;
    word.pages = 3;
    capture(word, 1);
    EXPECT_EQ(word.selectedPage, 2);
    EXPECT_NE(std::find(word.log.begin(), word.log.end(), "Document.range(2,3)"), word.log.end());

    word.log.clear();
    capture(word, 2);
    EXPECT_EQ(word.selectedPage, 3);
    EXPECT_NE(std::find(word.log.begin(), word.log.end(), "Position.start(4)"), word.log.end())
        << "the end of the document is put as the selection's end";
    EXPECT_NE(std::find(word.log.begin(), word.log.end(), "Document.range(3,4)"), word.log.end());
}

TEST_F(Capture, WordKeepsTheSelectionBeyondTheCountOrWithoutOne)
{
    ScriptedOffice word;
    word.pages = 3;
    capture(word, 0);
    capture(word, 5);
    EXPECT_EQ(word.selectedPage, 1) << "page 6 of 3: the current selection is copied";

    word.countFails = true;
    const Variant app = word.application();
    EXPECT_EQ(convert::WordPageCount(app.read("Application"), app.read("ActiveDocument")), 0);
    convert::SelectWordPage(app.read("Application"), app.read("ActiveDocument"), 2);
    EXPECT_EQ(word.selectedPage, 1);
    convert::SelectWordPage(Variant(), app.read("ActiveDocument"), 2);
    EXPECT_EQ(word.selectedPage, 1);
}
