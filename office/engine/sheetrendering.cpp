#include "office/engine/sheetrendering.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace folivex::office {

namespace {

// A pixel's four channels (BGRA, premultiplied), as one vector of floats.
typedef float Pixel __attribute__((vector_size(16)));
typedef unsigned char Bytes __attribute__((vector_size(4)));

Pixel pixelAt(const unsigned char *p)
{
    Bytes bytes;
    std::memcpy(&bytes, p, 4);
    return __builtin_convertvector(bytes, Pixel);
}

// Rounded and kept within 0..255.
void storePixel(unsigned char *p, Pixel value)
{
    value += 0.5f;
    value = value < 0.0f ? Pixel{} : value;
    const Pixel most = {255.0f, 255.0f, 255.0f, 255.0f};
    value = value > most ? most : value;
    const Bytes bytes = __builtin_convertvector(value, Bytes);
    std::memcpy(p, &bytes, 4);
}

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

// Draws source rows [first, first + rows) into `source`. Calc draws the
// border of a merged cell that a tile cuts across at the tile's first or
// last row as well, so a band that starts or ends inside the drawing is
// drawn with a margin of the widest row there, which is left out.
void paintSource(const SheetPainter &paint, const AxisResampling &across, const AxisResampling &down, int first,
                 int rows, std::vector<unsigned char> &source, std::vector<unsigned char> &tile)
{
    const int width = across.sourcePixels();
    const long q = down.twipsPerSource();
    const int margin = down.widestLine() + 1;
    // Not above the sheet's top.
    const int above = first > 0 ? int(std::min<long>(margin, down.sourceStart() / q + first)) : 0;
    const int below = first + rows < down.sourcePixels() ? margin : 0;
    const int tileRows = above + rows + below;
    const long top = down.sourceStart() + long(first - above) * q;
    if (above == 0 && below == 0 && width <= TileWidth) {
        paint(source.data(), width, rows,
              TwipRect{across.sourceStart(), top, long(width) * across.twipsPerSource(), long(rows) * q});
        return;
    }
    for (int left = 0; left < width; left += TileWidth) {
        const int tileWidth = std::min(TileWidth, width - left);
        tile.assign(size_t(tileWidth) * size_t(tileRows) * 4, 0);
        paint(tile.data(), tileWidth, tileRows,
              TwipRect{across.sourceStart() + long(left) * across.twipsPerSource(), top,
                       long(tileWidth) * across.twipsPerSource(), long(tileRows) * q});
        for (int y = 0; y < rows; ++y)
            std::memcpy(source.data() + (size_t(y) * size_t(width) + size_t(left)) * 4,
                        tile.data() + size_t(y + above) * size_t(tileWidth) * 4, size_t(tileWidth) * 4);
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
    std::vector<Pixel> sums;
    std::vector<Pixel> line(static_cast<size_t>(width));
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

        sums.assign(size_t(to - from) * size_t(width), Pixel{});
        for (int s = first; s < end; ++s) {
            const int shareFirst = down.shareFirst(s);
            const int shareCount = down.shareCount(s);
            if (shareFirst + shareCount <= from || shareFirst >= to)
                continue;
            // The source row averaged across; a row of one colour (the
            // blank space between lines of text, mostly) at once.
            const unsigned char *pixel = source.data() + size_t(s - first) * sourceRowBytes;
            if (std::memcmp(pixel, pixel + 4, sourceRowBytes - 4) == 0) {
                const Pixel value = pixelAt(pixel);
                for (int x = 0; x < width; ++x)
                    line[size_t(x)] = across.received(x) * value;
            } else {
                std::fill(line.begin(), line.end(), Pixel{});
                for (int x = 0; x < sourceWidth; ++x, pixel += 4) {
                    const Pixel value = pixelAt(pixel);
                    const float *weights = across.shareWeights(x);
                    Pixel *target = line.data() + across.shareFirst(x);
                    for (int k = 0, count = across.shareCount(x); k < count; ++k)
                        target[k] += weights[k] * value;
                }
            }
            // Its share of each output row it covers.
            const float *weights = down.shareWeights(s);
            for (int k = 0; k < shareCount; ++k) {
                const int j = shareFirst + k;
                if (j < from || j >= to)
                    continue;
                Pixel *__restrict sum = sums.data() + size_t(j - from) * size_t(width);
                const Pixel *__restrict averaged = line.data();
                const float w = weights[k];
                for (int x = 0; x < width; ++x)
                    sum[x] += w * averaged[x];
            }
        }

        for (int j = from; j < to; ++j) {
            const Pixel *sum = sums.data() + size_t(j - from) * size_t(width);
            unsigned char *out = canvas + size_t(j - top) * size_t(width) * 4;
            const float downWeight = down.normaliser(j);
            for (int x = 0; x < width; ++x, out += 4)
                storePixel(out, sum[x] * (downWeight * across.normaliser(x)));
        }
        from = to;
    }
}

} // namespace folivex::office
