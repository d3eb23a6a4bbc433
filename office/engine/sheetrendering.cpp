#include "office/engine/sheetrendering.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace folivex::office {

namespace {

// A pixel's four channels (BGRA, premultiplied), as one vector of floats.
typedef float Pixel __attribute__((vector_size(16)));

// The bytes of `pixels` pixels as floats. A plain loop over the channels,
// which the compiler turns into vector code (the file is built with -O3).
void widen(const unsigned char *__restrict bytes, int pixels, Pixel *__restrict out)
{
    float *__restrict channels = reinterpret_cast<float *>(out);
    for (int i = 0; i < pixels * 4; ++i)
        channels[i] = float(bytes[i]);
}

// The channels of `pixels` pixels rounded and kept within 0..255.
void narrow(const Pixel *__restrict values, int pixels, unsigned char *__restrict bytes)
{
    const float *__restrict channels = reinterpret_cast<const float *>(values);
    for (int i = 0; i < pixels * 4; ++i)
        bytes[i] = static_cast<unsigned char>(int(std::min(255.0f, std::max(0.0f, channels[i] + 0.5f))));
}

// Whole twips a source pixel, for a source at least as fine as the
// picture's `pixels` over `twips`: the coarsest drawing whose cells can be
// moved to their model edges without a source pixel spreading over more
// than two picture pixels. A finer one costs Calc's drawing and the
// averaging its square, and looks no sharper: Calc's text is antialiased
// at the source's scale already.
long twipsPerSource(long twips, int pixels)
{
    return std::max(1L, long(std::floor(double(twips) / double(pixels))));
}

// The widest tile drawn at once: LibreOffice draws into an image no wider
// than 32767 pixels (cairo's limit), and a wider drawing is put together
// from tiles side by side. Their edges are on whole source pixels, so
// Calc's cells meet across them as in one drawing.
constexpr int TileWidth = 16384;

// The margin of source rows above and below a band that Calc draws and
// that is left out (see paintSource): the widest row there, and one more.
int bandMargin(const AxisResampling &down)
{
    return down.widestLine() + 1;
}

// Draws source rows [first, first + rows) and returns where the first of
// them is. Calc draws the border of a merged cell that a tile cuts across
// at the tile's first or last row as well, so a band that starts or ends
// inside the drawing is drawn with a margin of the widest row there, which
// is left out. A drawing no wider than a tile is drawn in `source` with its
// margins; a wider one tile by tile in `tile`, its rows copied to `source`.
const unsigned char *paintSource(const SheetPainter &paint, const AxisResampling &across, const AxisResampling &down,
                                 int first, int rows, std::vector<unsigned char> &source,
                                 std::vector<unsigned char> &tile)
{
    const int width = across.sourcePixels();
    const size_t rowBytes = size_t(width) * 4;
    const long q = down.twipsPerSource();
    const int margin = bandMargin(down);
    // Not above the sheet's top.
    const int above = first > 0 ? int(std::min<long>(margin, down.sourceStart() / q + first)) : 0;
    const int below = first + rows < down.sourcePixels() ? margin : 0;
    const int tileRows = above + rows + below;
    const long top = down.sourceStart() + long(first - above) * q;
    // LibreOfficeKit clears the canvas it draws on: neither buffer is
    // cleared here.
    if (width <= TileWidth) {
        source.resize(size_t(tileRows) * rowBytes);
        paint(source.data(), width, tileRows,
              TwipRect{across.sourceStart(), top, long(width) * across.twipsPerSource(), long(tileRows) * q});
        return source.data() + size_t(above) * rowBytes;
    }
    source.resize(size_t(rows) * rowBytes);
    for (int left = 0; left < width; left += TileWidth) {
        const int tileWidth = std::min(TileWidth, width - left);
        tile.resize(size_t(tileWidth) * size_t(tileRows) * 4);
        paint(tile.data(), tileWidth, tileRows,
              TwipRect{across.sourceStart() + long(left) * across.twipsPerSource(), top,
                       long(tileWidth) * across.twipsPerSource(), long(tileRows) * q});
        for (int y = 0; y < rows; ++y)
            std::memcpy(source.data() + size_t(y) * rowBytes + size_t(left) * 4,
                        tile.data() + size_t(y + above) * size_t(tileWidth) * 4, size_t(tileWidth) * 4);
    }
    return source.data();
}

// One source row averaged across onto the output's columns: each output
// pixel gathers the source pixels that cover it, with their weights, so a
// pixel's sum stays in a register.
class HorizontalTaps {
public:
    HorizontalTaps(const AxisResampling &across, int width) : across_(across), width_(width)
    {
        start_.reserve(size_t(width) + 1);
        for (int x = 0; x < width; ++x) {
            start_.push_back(int(taps_.size()));
            for (int s = across.firstSource(x); s < across.endSource(x); ++s) {
                const int k = x - across.shareFirst(s);
                if (k >= 0 && k < across.shareCount(s))
                    taps_.push_back({s, across.shareWeights(s)[k]});
            }
        }
        start_.push_back(int(taps_.size()));
    }

    // `line` gets width pixels: the sums, not yet divided by the weight
    // each received. A row of one colour (the blank space between lines of
    // text, mostly) is done at once.
    void average(const unsigned char *row, int sourcePixels, Pixel *line)
    {
        if (std::memcmp(row, row + 4, size_t(sourcePixels - 1) * 4) == 0) {
            Pixel value;
            widen(row, 1, &value);
            for (int x = 0; x < width_; ++x)
                line[x] = across_.received(x) * value;
            return;
        }
        widened_.resize(size_t(sourcePixels));
        widen(row, sourcePixels, widened_.data());
        const Pixel *source = widened_.data();
        const Tap *tap = taps_.data();
        for (int x = 0; x < width_; ++x) {
            Pixel sum{};
            for (const Tap *last = taps_.data() + start_[size_t(x) + 1]; tap < last; ++tap)
                sum += tap->weight * source[tap->source];
            line[x] = sum;
        }
    }

private:
    struct Tap {
        int source;
        float weight;
    };
    const AxisResampling &across_;
    int width_;
    std::vector<int> start_;
    std::vector<Tap> taps_;
    std::vector<Pixel> widened_; // the row being averaged, as floats
};

} // namespace

void renderSheetRows(const SheetPainter &paint, const AxisResampling::Lines &columns,
                     const AxisResampling::Lines &rowLines, unsigned char *canvas, int width, int height,
                     const TwipRect &area, int top, int rows, SheetScratch &scratch)
{
    const AxisResampling across(columns, area.x, area.width, width, twipsPerSource(area.width, width));
    const AxisResampling down(rowLines, area.y, area.height, height, twipsPerSource(area.height, height));
    const int sourceWidth = across.sourcePixels();
    const size_t sourceRowBytes = size_t(sourceWidth) * 4;
    // A band of BandBytes, or of eight margins where that is more (a band's
    // margins are drawn for nothing), but never more than MostBandBytes.
    const size_t fewest = BandBytes / sourceRowBytes, most = MostBandBytes / sourceRowBytes;
    const int bandRows =
        int(std::max<size_t>(1, std::min(most, std::max(fewest, size_t(8) * size_t(bandMargin(down))))));
    HorizontalTaps taps(across, width);

    // The output rows a source row adds to are at most `inFlight` in a row,
    // and an output row is complete once its last source row is added: the
    // sums live in a ring of that many rows, small enough for the cache.
    int inFlight = 1;
    for (int s = down.firstSource(top); s < down.endSource(top + rows - 1); ++s)
        inFlight = std::max(inFlight, down.shareCount(s));
    ++inFlight;
    std::vector<Pixel> ring(size_t(inFlight) * size_t(width));
    const auto sumsOf = [&](int j) { return ring.data() + size_t(j % inFlight) * size_t(width); };

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
        const unsigned char *band =
            sourceRows > 0 ? paintSource(paint, across, down, first, sourceRows, scratch.source, scratch.tile)
                           : nullptr;

        int done = from; // output rows [from, done) are stored
        const auto storeUpTo = [&](int until) {
            for (; done < until; ++done) {
                Pixel *sum = sumsOf(done);
                const float downWeight = down.normaliser(done);
                for (int x = 0; x < width; ++x)
                    sum[x] *= downWeight * across.normaliser(x);
                narrow(sum, width, canvas + size_t(done - top) * size_t(width) * 4);
                std::fill(sum, sum + width, Pixel{});
            }
        };
        for (int s = first; s < end; ++s) {
            const int shareFirst = std::max(from, down.shareFirst(s));
            const int shareEnd = std::min(to, down.shareFirst(s) + down.shareCount(s));
            if (shareFirst < shareEnd) {
                taps.average(band + size_t(s - first) * sourceRowBytes, sourceWidth, line.data());
                // Its share of each output row it covers.
                const float *weights = down.shareWeights(s);
                for (int j = shareFirst; j < shareEnd; ++j) {
                    Pixel *__restrict sum = sumsOf(j);
                    const Pixel *__restrict averaged = line.data();
                    const float w = weights[j - down.shareFirst(s)];
                    for (int x = 0; x < width; ++x)
                        sum[x] += w * averaged[x];
                }
            }
            // The rows no later source row adds to.
            int complete = done;
            while (complete < to && down.endSource(complete) <= s + 1)
                ++complete;
            storeUpTo(complete);
        }
        storeUpTo(to);
        from = to;
    }
}

} // namespace folivex::office
