// Excel over Calc: a worksheet's picture is the whole worksheet, its used
// cells and every drawing object on it; a worksheet holding only a chart is
// a worksheet, a chart sheet is none. drawings.xlsx (and LibreOffice's .xls
// of it): "Beside" has numbers in A1:B3 and a chart of 3 x 2 in at (4 in,
// 0.25 in); "ChartOnly" a chart of 3 x 2 in at (1 in, 0.5 in) and no cells;
// "Chart & Sheet" is a chart sheet; "Shape" has numbers in A1 and D4 in
// columns of one width and a red rectangle anchored from C3 to the corner
// of F8. Rows are 18 pt. rows.xlsx: "Rows" has sixty rows of 12.8 pt in
// three columns of one width, A50 and C50 green, A60:C60 blue (60 in A60),
// and a red rectangle anchored exactly over B50; "Deep" only A1700:C1700
// blue and A1701:C1701 green, in rows of 12.8 pt.
#include "platform/clipboard.h"
#include "tests/office/officetesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

using namespace folivex;
using namespace folivex::testing;
using automation::Variant;

namespace {

std::vector<std::string> worksheetNames(const Variant &app)
{
    std::vector<std::string> names;
    const int count = app.read("Worksheets").read("Count").toInt32();
    for (int n = 1; n <= count; ++n)
        names.push_back(app.get("WorkSheets", {int32_t(n)}).read("Name").toString());
    return names;
}

// Copies worksheet `name` the way the conversion does and plays its
// picture at `scale` pixels a point: the page without its margins.
QImage sheetPicture(const Variant &app, const std::string &name, double scale = 1.0)
{
    const std::vector<std::string> names = worksheetNames(app);
    const auto at = std::find(names.begin(), names.end(), name);
    if (at == names.end())
        return QImage();
    app.get("WorkSheets", {int32_t(at - names.begin() + 1)}).call("Activate");
    app.read("ActiveSheet").read("UsedRange").call("Select");
    app.read("Selection").call("Copy");
    const Variant used = app.read("ActiveSheet").read("UsedRange");
    return playClipboard(int(used.read("Width").toDouble() * scale + 0.5),
                         int(used.read("Height").toDouble() * scale + 0.5));
}

// The bounding box of the pixels of one clear colour (red, green or blue,
// the others near 0): antialiased edges are left out.
QRect colourBox(const QImage &image, int channel)
{
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const uchar *p = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x, p += 3)
            if (p[channel] > 150 && p[(channel + 1) % 3] < 60 && p[(channel + 2) % 3] < 60) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QRect redBox(const QImage &image)
{
    return colourBox(image, 0);
}

class SheetDrawings : public ::testing::TestWithParam<std::string> {};

} // namespace

TEST_P(SheetDrawings, AChartBesideTheDataIsOnThePicture)
{
    Variant app = openExcel("drawings." + GetParam());
    const QImage page = sheetPicture(app, "Beside");
    ASSERT_FALSE(page.isNull());
    // From the data's corner (A1) to the chart's far corner, 7 x 2.25 in.
    EXPECT_NEAR(page.width(), 504, 1);
    EXPECT_NEAR(page.height(), 162, 1);
    EXPECT_GT(ink(page, QRect(0, 0, 100, 54)), 20) << "the numbers";
    // Between the two columns of numbers and the chart nothing is drawn;
    // the chart's ink is all inside its 3 x 2 in at (4 in, 0.25 in).
    EXPECT_EQ(ink(page, QRect(200, 0, 80, 162)), 0);
    EXPECT_EQ(ink(page, QRect(0, 60, 280, 102)), 0);
    EXPECT_EQ(ink(page, QRect(280, 0, 224, 16)), 0);
    EXPECT_GT(ink(page, QRect(290, 20, 212, 140)), 500) << "the chart";
    app.call("Quit");
}

TEST_P(SheetDrawings, AShapeSitsOnTheCellsItIsAnchoredTo)
{
    Variant app = openExcel("drawings." + GetParam());
    const QImage page = sheetPicture(app, "Shape");
    ASSERT_FALSE(page.isNull());
    // The used cells end with column D and row 4; the rectangle reaches on
    // to the corner of F8: five columns of one width and seven rows.
    EXPECT_NEAR(page.height(), 7 * 18, 1);
    const double column = page.width() / 5.0;
    const QRect red = redBox(page);
    ASSERT_FALSE(red.isNull()) << "the rectangle is on the picture";
    EXPECT_NEAR(red.left(), 2 * column, 3) << "from column C";
    EXPECT_NEAR(red.right() + 1, 5 * column, 3) << "to the end of column E";
    EXPECT_NEAR(red.top(), 2 * 18, 3) << "from row 3";
    EXPECT_NEAR(red.bottom() + 1, 7 * 18, 3) << "to the end of row 7";
    EXPECT_GT(ink(page, QRect(0, 0, int(column), 18)), 5) << "the number in A1";
    app.call("Quit");
}

INSTANTIATE_TEST_SUITE_P(Excel, SheetDrawings, ::testing::Values("xlsx", "xls"));

// A worksheet whose only content is a chart is a worksheet and has a
// picture; the chart sheet the file declares stays out. (Only the Office
// Open XML file tells the two apart: LibreOffice's .xls of this workbook
// holds its chart sheet as a worksheet holding one chart.)
TEST(SheetDrawingsXlsx, AWorksheetWithOnlyAChartIsAWorksheetAndAChartSheetIsNot)
{
    Variant app = openExcel("drawings.xlsx");
    EXPECT_EQ(worksheetNames(app), (std::vector<std::string>{"Beside", "ChartOnly", "Shape"}));
    const QImage page = sheetPicture(app, "ChartOnly");
    ASSERT_FALSE(page.isNull());
    // From A1, the used range of a sheet without cells, to the chart's far
    // corner: 4 x 2.5 in, the chart's ink inside its own 3 x 2 in.
    EXPECT_NEAR(page.width(), 288, 1);
    EXPECT_NEAR(page.height(), 180, 1);
    EXPECT_EQ(ink(page, QRect(0, 0, 70, 180)), 0);
    EXPECT_EQ(ink(page, QRect(0, 0, 288, 34)), 0);
    EXPECT_GT(ink(page, QRect(74, 38, 212, 140)), 500) << "the chart";
    app.call("Quit");
}

// Calc lays a sheet's cells out on whole pixels: at one pixel a point a
// 12.8 pt row would be 12 pixels high, the sixty rows 6% short of their
// area, and the rectangle of B50 would hang below its row. Drawn at one pixel
// a point and at 150 dpi's 150/72, every row keeps its height: the last row
// ends at the picture's bottom and the rectangle covers B50, level with the
// green cells beside it.
class SheetCells : public ::testing::TestWithParam<double> {};

TEST_P(SheetCells, RowsKeepTheirHeightAndAShapeFarDownStaysOnItsCell)
{
    const double scale = GetParam();
    Variant app = openExcel("rows.xlsx");
    const QImage page = sheetPicture(app, "Rows", scale);
    ASSERT_FALSE(page.isNull());
    const double row = 12.8 * scale;
    const double column = page.width() / 3.0;
    EXPECT_NEAR(page.height(), 60 * row, 1);

    const QRect blue = colourBox(page, 2);
    ASSERT_FALSE(blue.isNull()) << "the last row's fill";
    EXPECT_NEAR(blue.top(), 59 * row, 1.5) << "row 60 starts where 59 rows end";
    EXPECT_NEAR(blue.bottom() + 1, page.height(), 1.5) << "and ends at the bottom";
    EXPECT_NEAR(blue.left(), 0, 1.5);
    EXPECT_NEAR(blue.right() + 1, page.width(), 1.5);

    const QRect green = colourBox(page, 1);
    const QRect red = redBox(page);
    ASSERT_FALSE(green.isNull()) << "A50 and C50";
    ASSERT_FALSE(red.isNull()) << "the rectangle";
    EXPECT_NEAR(red.top(), 49 * row, 1.5) << "on row 50";
    EXPECT_NEAR(red.bottom() + 1, 50 * row, 1.5);
    EXPECT_NEAR(red.left(), column, 1.5) << "in column B";
    EXPECT_NEAR(red.right() + 1, 2 * column, 1.5);
    EXPECT_NEAR(red.top(), green.top(), 1.5) << "level with the cells beside it";
    EXPECT_NEAR(red.bottom(), green.bottom(), 1.5);
    EXPECT_NEAR(green.left(), 0, 1.5);
    EXPECT_NEAR(green.right() + 1, page.width(), 1.5);
    app.call("Quit");
}

// Calc's pixels lag the model's by 0.8 pixel a row at one pixel a point, by
// 1360 pixels at row 1700: cells that far down are drawn where Calc has
// them, and the picture still shows them, from its first row to its last.
TEST_P(SheetCells, CellsFarDownAreDrawnFromTheirFirstRow)
{
    const double scale = GetParam();
    Variant app = openExcel("rows.xlsx");
    const QImage page = sheetPicture(app, "Deep", scale);
    ASSERT_FALSE(page.isNull());
    const double row = page.height() / 2.0;
    EXPECT_NEAR(page.height(), 2 * 12.8 * scale, 1);
    const QRect blue = colourBox(page, 2), green = colourBox(page, 1);
    ASSERT_FALSE(blue.isNull()) << "row 1700's fill";
    ASSERT_FALSE(green.isNull()) << "row 1701's fill";
    EXPECT_NEAR(blue.top(), 0, 1.5);
    EXPECT_NEAR(green.bottom() + 1, page.height(), 1.5);
    // Calc fills a cell from the pixel above its row, over the grid line, so
    // the edge between the two fills may be a drawing's pixel early; the
    // blend of the two on that edge is neither colour.
    EXPECT_NEAR(blue.bottom() + 1, row, 2);
    EXPECT_NEAR(green.top(), row, 2);
    for (const QRect &fill : {blue, green}) {
        EXPECT_NEAR(fill.left(), 0, 1.5);
        EXPECT_NEAR(fill.right() + 1, page.width(), 1.5);
    }
    app.call("Quit");
}

INSTANTIATE_TEST_SUITE_P(Excel, SheetCells, ::testing::Values(1.0, 150.0 / 72.0),
                         [](const ::testing::TestParamInfo<double> &info) {
                             return info.param == 1.0 ? std::string("OnePixelAPoint") : std::string("At150Dpi");
                         });
