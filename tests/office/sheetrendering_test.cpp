// A worksheet's drawing averaged onto the picture's pixels: against the plain
// weighted average of every source pixel, and with the cells' edges where
// the model has them, with a painter that lays lines out as Calc does.
#include "office/engine/sheetrendering.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

using namespace folivex::office;

namespace {

// A colour for every pixel of Calc's drawing, by Calc's pixel from the
// sheet's corner.
using Scene = std::function<std::uint32_t(long x, long y)>;

// Paints as LibreOfficeKit does: a tile of `width` pixels over `area.width`
// twips starts area.x / qx pixels from the corner, qx twips a pixel; the
// same down.
SheetPainter painterOf(const Scene &scene)
{
    return [scene](unsigned char *canvas, int width, int height, const TwipRect &area) {
        const long qx = area.width / width, qy = area.height / height;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const std::uint32_t c = scene(area.x / qx + x, area.y / qy + y);
                for (int k = 0; k < 4; ++k)
                    canvas[(size_t(y) * size_t(width) + size_t(x)) * 4 + size_t(k)] = (c >> (8 * k)) & 0xFF;
            }
    };
}

AxisResampling::Lines linesOf(const std::vector<long> &sizes)
{
    return [&sizes](long) -> const std::vector<long> & { return sizes; };
}

struct Sheet {
    std::vector<long> columns, rows;
};

std::vector<std::uint32_t> render(const Sheet &sheet, const Scene &scene, int width, int height, const TwipRect &area,
                                  int top, int rows, SheetScratch *kept = nullptr, int sheetIndex = 0)
{
    std::vector<unsigned char> canvas(size_t(width) * size_t(rows) * 4, 0xAB);
    SheetScratch fresh;
    renderSheetRows(painterOf(scene), linesOf(sheet.columns), linesOf(sheet.rows), canvas.data(), width, height, area,
                    top, rows, sheetIndex, kept ? *kept : fresh);
    std::vector<std::uint32_t> pixels(size_t(width) * size_t(rows));
    for (size_t i = 0; i < pixels.size(); ++i)
        for (int k = 0; k < 4; ++k)
            pixels[i] |= std::uint32_t(canvas[i * 4 + size_t(k)]) << (8 * k);
    return pixels;
}

long twipsPerSource(long twips, int pixels)
{
    return std::max(1L, long(std::floor(double(twips) / double(pixels))));
}

// The plain weighted average of every source pixel over output pixel (x, j),
// in doubles, and whether those source pixels are all of one colour.
struct Expected {
    std::vector<std::uint32_t> pixels;
    std::vector<bool> uniform;
};

Expected expectedOf(const Sheet &sheet, const Scene &scene, int width, int height, const TwipRect &area)
{
    const AxisResampling across(linesOf(sheet.columns), area.x, area.width, width, twipsPerSource(area.width, width));
    const AxisResampling down(linesOf(sheet.rows), area.y, area.height, height, twipsPerSource(area.height, height));
    const long x0 = across.sourceStart() / across.twipsPerSource(), y0 = down.sourceStart() / down.twipsPerSource();
    const auto weight = [](const AxisResampling &axis, int s, int j) {
        const int k = j - axis.shareFirst(s);
        return k >= 0 && k < axis.shareCount(s) ? double(axis.shareWeights(s)[k]) : 0.0;
    };
    Expected e{std::vector<std::uint32_t>(size_t(width) * size_t(height)),
               std::vector<bool>(size_t(width) * size_t(height))};
    for (int j = 0; j < height; ++j)
        for (int x = 0; x < width; ++x) {
            double sums[4] = {0, 0, 0, 0}, total = 0;
            bool one = true;
            std::uint32_t first = 0;
            bool seen = false;
            for (int s = down.firstSource(j); s < down.endSource(j); ++s)
                for (int t = across.firstSource(x); t < across.endSource(x); ++t) {
                    const double w = weight(down, s, j) * weight(across, t, x);
                    if (w <= 0)
                        continue;
                    const std::uint32_t c = scene(x0 + t, y0 + s);
                    one = one && (!seen || c == first);
                    first = seen ? first : c;
                    seen = true;
                    for (int k = 0; k < 4; ++k)
                        sums[k] += w * double((c >> (8 * k)) & 0xFF);
                    total += w;
                }
            std::uint32_t pixel = 0;
            for (int k = 0; k < 4 && total > 0; ++k)
                pixel |= std::uint32_t(std::lround(std::clamp(sums[k] / total, 0.0, 255.0))) << (8 * k);
            e.pixels[size_t(j) * size_t(width) + size_t(x)] = pixel;
            e.uniform[size_t(j) * size_t(width) + size_t(x)] = seen && one;
        }
    return e;
}

int channelDifference(std::uint32_t a, std::uint32_t b)
{
    int most = 0;
    for (int k = 0; k < 4; ++k)
        most = std::max(most, std::abs(int((a >> (8 * k)) & 0xFF) - int((b >> (8 * k)) & 0xFF)));
    return most;
}

// Lines of varied sizes, each a whole number of Calc pixels or not.
Sheet variedSheet()
{
    Sheet sheet;
    for (int i = 0; i < 200; ++i)
        sheet.columns.push_back(600 + (i * 377) % 1500);
    for (int i = 0; i < 900; ++i)
        sheet.rows.push_back(i % 7 == 0 ? 600 : 255 + (i * 31) % 90);
    return sheet;
}

// A filled table over a white sheet: blocks of colour, lines, and a speckled
// corner where no two neighbours are alike.
std::uint32_t tableScene(long x, long y)
{
    if (x % 53 == 0 || y % 17 == 0)
        return 0xFF000000;
    if (x > 300 && x < 420 && y > 40 && y < 140)
        return 0xFF000000u | std::uint32_t((x * 7919 + y * 104729) % 0xFFFFFF);
    if ((x / 90 + y / 30) % 3 == 0)
        return 0xFFCCFFFF;
    if (x > 500 && y < 60)
        return 0x80402010; // translucent, premultiplied
    return 0xFFFFFFFF;
}

TEST(SheetRendering, EveryPixelIsTheWeightedAverageOfItsSourcePixelsAndOneColourStaysExact)
{
    const Sheet sheet = variedSheet();
    struct Case {
        const char *what;
        TwipRect area;
        int width, height;
    };
    const Case cases[] = {
        {"from the corner, about the drawing's scale", {0, 0, 14000, 9000}, 700, 450},
        {"deep into the sheet, where Calc's pixels lag the model's", {5555, 41000, 13000, 8000}, 650, 400},
        {"at about 160 dpi", {3000, 3000, 9000, 6000}, 1000, 700},
        {"at about 30 dpi", {1000, 2000, 20000, 12000}, 420, 260},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<std::uint32_t> got = render(sheet, tableScene, c.width, c.height, c.area, 0, c.height);
        const Expected expected = expectedOf(sheet, tableScene, c.width, c.height, c.area);
        int worst = 0;
        size_t inexactUniform = 0;
        for (size_t i = 0; i < got.size(); ++i) {
            worst = std::max(worst, channelDifference(got[i], expected.pixels[i]));
            inexactUniform += expected.uniform[i] && got[i] != expected.pixels[i];
        }
        EXPECT_LE(worst, 1) << "every pixel within rounding of the weighted average";
        EXPECT_EQ(inexactUniform, 0u) << "a pixel of one colour is exactly that colour";
    }
}

// The host is asked for a large picture band by band, one scratch for all,
// and between two pictures for other sheets or sizes.
TEST(SheetRendering, RowsRenderedInPiecesAreTheRowsRenderedWhole)
{
    const Sheet sheet = variedSheet();
    const TwipRect area{2000, 30000, 16000, 60000};
    const int width = 800, height = 3000;
    const std::vector<std::uint32_t> whole = render(sheet, tableScene, width, height, area, 0, height);
    const auto otherScene = [](long x, long y) { return tableScene(x + 7, y + 3); };
    SheetScratch kept;
    for (const auto &[top, rows] : {std::pair{0, 1}, std::pair{1, 977}, std::pair{978, 1500}, std::pair{2478, 522}}) {
        SCOPED_TRACE("rows from " + std::to_string(top));
        const std::vector<std::uint32_t> alone = render(sheet, tableScene, width, height, area, top, rows);
        EXPECT_TRUE(std::equal(alone.begin(), alone.end(), whole.begin() + std::ptrdiff_t(top) * width)) << "alone";
        const std::vector<std::uint32_t> piece = render(sheet, tableScene, width, height, area, top, rows, &kept);
        EXPECT_TRUE(std::equal(piece.begin(), piece.end(), whole.begin() + std::ptrdiff_t(top) * width))
            << "one after the other";
    }
    // Another sheet, of another drawing, in the same scratch: its own pixels.
    const std::vector<std::uint32_t> other = render(sheet, otherScene, width, height, area, 0, 400);
    EXPECT_EQ(render(sheet, otherScene, width, height, area, 0, 400, &kept, 1), other);
    EXPECT_EQ(render(sheet, tableScene, width, height, area, 0, 400, &kept, 0),
              std::vector<std::uint32_t>(whole.begin(), whole.begin() + 400 * width));
}

// Calc's own layout: a line of t twips is t / q pixels, truncated, so its
// pixels lag the model's more the further a line is from the corner. A
// one-pixel black rule at the top of every row as Calc lays it out, rows
// of varied heights.
TEST(SheetRendering, RowEdgesLandWhereTheModelHasThemAlsoDeepIntoTheSheet)
{
    Sheet sheet;
    sheet.columns.assign(50, 2000);
    for (int i = 0; i < 3000; ++i)
        sheet.rows.push_back(200 + (i * 37) % 150);
    std::vector<long> twipsAt, ruleAt; // every row's top in twips, and in Calc's pixels
    for (long twips = 0, calc = 0, i = 0; i < long(sheet.rows.size()); ++i) {
        twipsAt.push_back(twips);
        ruleAt.push_back(calc);
        twips += sheet.rows[size_t(i)];
        calc += AxisResampling::calcPixels(sheet.rows[size_t(i)], AxisResampling::calcScale(20));
    }
    const Scene rules = [&](long, long y) {
        return std::binary_search(ruleAt.begin(), ruleAt.end(), y) ? 0xFF000000u : 0xFFFFFFFFu;
    };
    for (const int firstRow : {0, 40, 1700}) {
        SCOPED_TRACE("an area from row " + std::to_string(firstRow));
        const int rows = 60;
        const long top = twipsAt[size_t(firstRow)], length = twipsAt[size_t(firstRow + rows)] - top;
        const int height = int(length / 20); // 20 twips a pixel
        const std::vector<std::uint32_t> got = render(sheet, rules, 1000, height, {0, top, 20000, length}, 0, height);
        for (int j = 0; j < height; ++j)
            ASSERT_EQ(got[size_t(j) * 1000 + 500] >> 24, 0xFFu) << "pixel row " << j << " is drawn";
        for (int r = 0; r < rows; ++r) {
            const int edge = int(double(twipsAt[size_t(firstRow + r)] - top) * height / double(length));
            int darkest = 255;
            for (int j = std::max(0, edge - 1); j <= std::min(height - 1, edge + 1); ++j)
                darkest = std::min(darkest, int(got[size_t(j) * 1000 + 500] & 0xFF));
            EXPECT_LT(darkest, 128) << "the rule at the top of the area's row " << r << " is near pixel row " << edge;
        }
    }
}

} // namespace
