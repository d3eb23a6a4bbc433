#include "office/engine/sheetrendering.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace folivex::office {

namespace {

// Whole twips a source pixel, for a source at least twice as fine as the
// picture's `pixels` over `twips`: finer than Calc's own antialiasing needs,
// so the averaged picture is as sharp as one drawn at its size.
long twipsPerSource(long twips, int pixels)
{
    return std::max(1L, long(std::floor(double(twips) / double(pixels) / 2.0)));
}

// The widest tile drawn at once: LibreOffice draws into an image no wider
// than 32767 pixels (cairo's limit), and a wider drawing is put together
// from tiles side by side. Their edges are on whole source pixels, so
// Calc's cells meet across them as in one drawing.
constexpr int TileWidth = 16384;

void paintSource(const SheetPainter &paint, const AxisResampling &across, const AxisResampling &down, int first,
                 int rows, std::vector<unsigned char> &source, std::vector<unsigned char> &tile)
{
    const int width = across.sourcePixels();
    const long top = down.sourceStart() + long(first) * down.twipsPerSource();
    const long height = long(rows) * down.twipsPerSource();
    if (width <= TileWidth) {
        paint(source.data(), width, rows, TwipRect{across.sourceStart(), top, long(width) * across.twipsPerSource(), height});
        return;
    }
    for (int left = 0; left < width; left += TileWidth) {
        const int tileWidth = std::min(TileWidth, width - left);
        tile.assign(size_t(tileWidth) * size_t(rows) * 4, 0);
        paint(tile.data(), tileWidth, rows,
              TwipRect{across.sourceStart() + long(left) * across.twipsPerSource(), top,
                       long(tileWidth) * across.twipsPerSource(), height});
        for (int y = 0; y < rows; ++y)
            std::memcpy(source.data() + (size_t(y) * size_t(width) + size_t(left)) * 4,
                        tile.data() + size_t(y) * size_t(tileWidth) * 4, size_t(tileWidth) * 4);
    }
}

} // namespace

void renderSheetRows(const SheetPainter &paint, const AxisResampling::Lines &columns,
                     const AxisResampling::Lines &rowLines, unsigned char *canvas, int width, int height,
                     const TwipRect &area, int top, int rows)
{
    const AxisResampling across(columns, area.x, area.width, width, twipsPerSource(area.width, width));
    const AxisResampling down(rowLines, area.y, area.height, height, twipsPerSource(area.height, height));
    const int sourceWidth = across.sourcePixels();
    const size_t sourceRowBytes = size_t(sourceWidth) * 4;
    const int bandRows = int(std::max<size_t>(1, BandBytes / sourceRowBytes));

    std::vector<unsigned char> source, tile;
    std::vector<float> sums;
    std::vector<float> line(size_t(width) * 4);
    for (int from = top; from < top + rows;) {
        // As many output rows as the source rows they are made of fit a band
        // (at least one).
        const int first = down.firstSource(from);
        int end = down.endSource(from);
        int to = from + 1;
        while (to < top + rows && down.endSource(to) - first <= bandRows)
            end = down.endSource(to++);

        const int sourceRows = end - first;
        source.assign(size_t(sourceRows) * sourceRowBytes, 0);
        if (sourceRows > 0)
            paintSource(paint, across, down, first, sourceRows, source, tile);

        sums.assign(size_t(to - from) * size_t(width) * 4, 0.0f);
        for (int s = first; s < end; ++s) {
            const int shareFirst = down.shareFirst(s);
            const int shareCount = down.shareCount(s);
            if (shareFirst + shareCount <= from || shareFirst >= to)
                continue;
            // The source row averaged across.
            std::fill(line.begin(), line.end(), 0.0f);
            const unsigned char *pixel = source.data() + size_t(s - first) * sourceRowBytes;
            for (int x = 0; x < sourceWidth; ++x, pixel += 4) {
                const int count = across.shareCount(x);
                const float *weights = across.shareWeights(x);
                float *target = line.data() + size_t(across.shareFirst(x)) * 4;
                for (int k = 0; k < count; ++k, target += 4) {
                    const float w = weights[k];
                    target[0] += w * float(pixel[0]);
                    target[1] += w * float(pixel[1]);
                    target[2] += w * float(pixel[2]);
                    target[3] += w * float(pixel[3]);
                }
            }
            // Its share of each output row it covers.
            const float *weights = down.shareWeights(s);
            for (int k = 0; k < shareCount; ++k) {
                const int j = shareFirst + k;
                if (j < from || j >= to)
                    continue;
                float *sum = sums.data() + size_t(j - from) * size_t(width) * 4;
                const float w = weights[k];
                for (size_t i = 0; i < line.size(); ++i)
                    sum[i] += w * line[i];
            }
        }

        for (int j = from; j < to; ++j) {
            const float *sum = sums.data() + size_t(j - from) * size_t(width) * 4;
            unsigned char *out = canvas + size_t(j - top) * size_t(width) * 4;
            const float downWeight = down.normaliser(j);
            for (int x = 0; x < width; ++x) {
                const float w = downWeight * across.normaliser(x);
                for (int c = 0; c < 4; ++c) {
                    const float v = sum[size_t(x) * 4 + size_t(c)] * w + 0.5f;
                    out[size_t(x) * 4 + size_t(c)] = (unsigned char)(v < 0 ? 0 : v > 255 ? 255 : v);
                }
            }
        }
        from = to;
    }
}

} // namespace folivex::office
