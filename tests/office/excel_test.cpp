// Excel over Calc: worksheet counts (chart sheets left out), used ranges,
// sheet margins and the pictures of the used ranges.
#include "platform/clipboard.h"
#include "tests/office/officetesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace folivex;
using namespace folivex::testing;
using automation::Variant;

namespace {

// Activates sheet n, selects its used range and copies the selection.
Variant copySheet(const Variant &app, int n)
{
    app.get("WorkSheets", {int32_t(n)}).call("Activate");
    app.read("ActiveSheet").read("UsedRange").call("Select");
    app.read("Selection").call("Copy");
    return app.read("ActiveSheet").read("UsedRange");
}

class ExcelFormats : public ::testing::TestWithParam<std::string> {};

} // namespace

TEST_P(ExcelFormats, UsedRangesMarginsAndPictures)
{
    Variant app = openExcel("workbook." + GetParam());
    ASSERT_EQ(app.read("Worksheets").read("Count").toInt32(), 3);

    // Sheet 1: numbers in B3:E10, columns of 1 inch and rows of 1/4 inch.
    Variant used = copySheet(app, 1);
    EXPECT_EQ(app.read("ActiveSheet").read("Name").toString(), "Offset");
    EXPECT_EQ(used.read("Address").toString(), "$B$3:$E$10");
    EXPECT_EQ(used.read("Row").toInt32(), 3);
    EXPECT_EQ(used.read("Column").toInt32(), 2);
    EXPECT_NEAR(used.read("Width").toDouble(), 288, 0.5);
    EXPECT_NEAR(used.read("Height").toDouble(), 144, 0.5);
    Variant setup = app.read("ActiveSheet").read("PageSetup");
    EXPECT_NEAR(setup.read("LeftMargin").toDouble(), 36, 0.1);
    EXPECT_NEAR(setup.read("RightMargin").toDouble(), 36, 0.1);
    EXPECT_NEAR(setup.read("TopMargin").toDouble(), 54, 0.1);
    EXPECT_NEAR(setup.read("BottomMargin").toDouble(), 54, 0.1);
    EXPECT_EQ(clipboard::ProcessClipboard().formats(), (std::vector<uint32_t>{14}));
    QImage offset = playClipboard(288, 144);
    EXPECT_GT(ink(offset, offset.rect()), 300);
    // Column B is empty down to the end (the numbers sit right-aligned).
    EXPECT_EQ(ink(offset, QRect(0, 0, 30, 144)), 0);

    // Sheet 2 is empty: its used range is A1 alone, and it is white.
    used = copySheet(app, 2);
    EXPECT_EQ(used.read("Address").toString(), "$A$1");
    QImage empty = playClipboard(used.read("Width").toInt32(), used.read("Height").toInt32());
    EXPECT_EQ(ink(empty, empty.rect()), 0);

    used = copySheet(app, 3);
    EXPECT_EQ(used.read("Address").toString(), "$A$1:$C$3");
    QImage small = playClipboard(216, 54);
    EXPECT_GT(ink(small, small.rect()), 100);
    EXPECT_NE(small, offset);
    app.call("Quit");
}

INSTANTIATE_TEST_SUITE_P(Excel, ExcelFormats, ::testing::Values("xlsx", "xls"));

TEST(ExcelSheets, NothingButTheApplicationBeforeAWorkbookIsOpen)
{
    Variant app = automation::CreateOleObject("Excel.Application");
    EXPECT_EQ(errorText([&] { app.read("ActiveSheet"); }), "Application.ActiveSheet: No workbook is open");
    EXPECT_EQ(errorText([&] { app.read("Worksheets"); }), "Application.Worksheets: No workbook is open");
    app.call("Quit");
}

TEST_P(ExcelFormats, ChartSheetsAreNotWorksheets)
{
    Variant app = openExcel("chartsheet." + GetParam());
    EXPECT_EQ(app.read("Worksheets").read("Count").toInt32(), 2);
    EXPECT_EQ(app.get("WorkSheets", {int32_t(1)}).read("Name").toString(), "Data");
    EXPECT_EQ(app.get("WorkSheets", {int32_t(2)}).read("Name").toString(), "More");
    EXPECT_EQ(errorText([&] { app.get("WorkSheets", {int32_t(3)}); }),
              "Application.Worksheets: worksheet 3 does not exist (the workbook has 2)");
    app.call("Quit");
}

// A used range far bigger than any bitmap the program holds whole: its
// picture is drawn one band of rows at a time by moving the target
// rectangle up, and only the rows inside the target are rendered.
TEST(ExcelBigSheet, APictureIsDrawnInBandsThatAddUpToTheWholeDrawing)
{
    Variant app = openExcel("bigsheet.xlsx");
    Variant used = copySheet(app, 1);
    EXPECT_NEAR(used.read("Width").toDouble(), 25600, 1);
    EXPECT_NEAR(used.read("Height").toDouble(), 14080, 1);
    auto picture = clipboard::ProcessClipboard().enhancedMetafile();

    // Full size: a corner of 400 x 60 pixels costs the rendering of 60 rows.
    QImage corner(400, 60, QImage::Format_RGB888);
    corner.fill(Qt::white);
    picture->play(corner, QRect(0, 0, 25600, 14080));
    EXPECT_GT(ink(corner, QRect(0, 0, 64, 13)), 20) << "TOP LEFT";
    EXPECT_EQ(ink(corner, QRect(100, 20, 300, 40)), 0);

    // At a tenth of its size the whole drawing is small enough to compare.
    const int w = 2560, h = 1408;
    QImage whole(w, h, QImage::Format_RGB888);
    whole.fill(Qt::white);
    picture->play(whole, QRect(0, 0, w, h));
    QImage assembled(w, h, QImage::Format_RGB888);
    for (int top = 0; top < h; top += 96) {
        QImage band(w, std::min(96, h - top), QImage::Format_RGB888);
        band.fill(Qt::white);
        picture->play(band, QRect(0, -top, w, h));
        for (int y = 0; y < band.height(); ++y)
            std::memcpy(assembled.scanLine(top + y), band.constScanLine(y), size_t(w) * 3);
    }
    long differing = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w * 3; ++x)
            differing += whole.constScanLine(y)[x] != assembled.constScanLine(y)[x];
    // A band starts at a whole twip, which can be up to half a twip from
    // where the whole drawing has that row: a few antialiased pixels of the
    // text that crosses a band's edge may differ, nothing else.
    EXPECT_LT(differing, long(w) * h * 3 / 10000) << differing << " samples differ";
    EXPECT_GT(ink(whole, whole.rect()), 0);
    app.call("Quit");
}
