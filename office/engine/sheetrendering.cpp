#include "office/engine/sheetrendering.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <emmintrin.h>
#include <cstring>
#include <vector>

namespace folivex::office {

namespace {

// A pixel's four channels (BGRA, premultiplied), as one vector of floats.
typedef float Pixel __attribute__((vector_size(16)));

// One pixel as one word; the buffers are bytes that LibreOffice wrote.
typedef std::uint32_t Word __attribute__((may_alias));

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

// The source pixels that make each output pixel, with their weights:
// output pixel x gathers taps [begin(x), end(x)).
class HorizontalTaps {
public:
    struct Tap {
        int source;
        float weight;
    };

    HorizontalTaps(const AxisResampling &across, int width)
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

    const Tap *begin(int x) const { return taps_.data() + start_[size_t(x)]; }
    const Tap *end(int x) const { return taps_.data() + start_[size_t(x) + 1]; }

private:
    std::vector<int> start_;
    std::vector<Tap> taps_;
};

// One pixel's four channels as floats.
inline Pixel widened(Word pixel)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i bytes = _mm_cvtsi32_si128(int(pixel));
    return Pixel(_mm_cvtepi32_ps(_mm_unpacklo_epi16(_mm_unpacklo_epi8(bytes, zero), zero)));
}

// The channels rounded and kept within 0..255.
inline __m128i narrowedWords(Pixel value)
{
    const __m128 kept =
        _mm_min_ps(_mm_set1_ps(255.0f), _mm_max_ps(_mm_setzero_ps(), _mm_add_ps(__m128(value), _mm_set1_ps(0.5f))));
    return _mm_cvttps_epi32(kept);
}

inline Word narrowed(Pixel value)
{
    const __m128i whole = narrowedWords(value);
    const __m128i words = _mm_packs_epi32(whole, whole);
    return Word(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
}

// Four pixels at once.
inline void storeNarrowed(const Pixel *values, Word *out)
{
    const __m128i low = _mm_packs_epi32(narrowedWords(values[0]), narrowedWords(values[1]));
    const __m128i high = _mm_packs_epi32(narrowedWords(values[2]), narrowedWords(values[3]));
    _mm_storeu_si128(reinterpret_cast<__m128i *>(out), _mm_packus_epi16(low, high));
}

// Output rows from the source rows that make them. Most of a sheet is blank
// or filled: an output pixel whose source pixels are all of one colour is
// that colour, and a run of such pixels is filled at once. The others are
// averaged: across each source row first, then those sums down, then both
// normalisers at once. Where they are few, each is averaged from its own
// source pixels; where they are many, whole source rows are averaged across,
// once each for the output rows they share.
class RowAverager {
public:
    RowAverager(const AxisResampling &across, const AxisResampling &down, int width)
        : across_(across), down_(down), taps_(across, width), width_(width), marks_(size_t(across.sourcePixels())),
          firstEndingAfter_(size_t(across.sourcePixels()) + 1)
    {
        const int n = across.sourcePixels();
        for (int t = 0, x = 0; t <= n; ++t) {
            while (x < width && across.endSource(x) <= t)
                ++x;
            firstEndingAfter_[size_t(t)] = x;
        }
        for (int x = 0; x < width; ++x)
            if (across.firstSource(x) < across.endSource(x))
                coveredEnd_ = x + 1;
    }

    // A band of source rows is drawn: what was kept of the last is dropped.
    void newBand()
    {
        for (Across &kept : acrossRows_)
            kept.source = -1;
    }

    // Output row j into `out` (width pixels); rows[s - first] is source row
    // s, for every s in [down.firstSource(j), down.endSource(j)).
    void average(int j, const unsigned char *const *rows, int first, Word *out)
    {
        const int a = down_.firstSource(j), b = down_.endSource(j);
        if (a >= b) {
            std::fill(out, out + width_, Word(0));
            return;
        }
        // A row among many mixed pixels is averaged whole, and only every
        // DenseCheck-th is looked at for one-colour runs.
        if (dense_ && b - a <= KeptRows && ++denseRows_ % DenseCheck != 0) {
            averageAll(j, rows, first, out);
            return;
        }
        dense_ = false;
        mark(rows + (a - first), b - a);
        const Word *top = reinterpret_cast<const Word *>(rows[a - first]);
        mixed_.clear();
        for (int x = 0; x < width_;) {
            const int fs = across_.firstSource(x), es = across_.endSource(x);
            int marked;
            if (fs < es && !(marks_[size_t(fs)] & 2) && (marked = nextMark(fs + 1)) >= es) {
                // Up to the first pixel whose sources reach a marked column,
                // every pixel is this colour.
                const int end = std::min(firstEndingAfter_[size_t(marked)], coveredEnd_);
                std::fill(out + x, out + end, top[fs]);
                x = end;
            } else {
                mixed_.push_back(x++);
            }
        }
        if (mixed_.empty())
            return;

        tapDown(j);
        const float downNormaliser = down_.normaliser(j);
        if (mixed_.size() * 4 > size_t(width_) && b - a <= KeptRows) {
            dense_ = true;
            averageAll(j, rows, first, out);
            return;
        }
        for (const int x : mixed_) {
            Pixel sum{};
            for (const HorizontalTaps::Tap &tap : downTaps_) {
                const Word *row = reinterpret_cast<const Word *>(rows[tap.source - first]);
                Pixel acrossSum{};
                for (const HorizontalTaps::Tap *t = taps_.begin(x); t < taps_.end(x); ++t)
                    acrossSum += t->weight * widened(row[t->source]);
                sum += tap.weight * acrossSum;
            }
            sum *= downNormaliser * across_.normaliser(x);
            out[x] = narrowed(sum);
        }
    }

private:
    // downTaps_: the source rows output row j gathers, with their weights.
    void tapDown(int j)
    {
        downTaps_.clear();
        for (int s = down_.firstSource(j); s < down_.endSource(j); ++s) {
            const int k = j - down_.shareFirst(s);
            if (k >= 0 && k < down_.shareCount(s))
                downTaps_.push_back({s, down_.shareWeights(s)[k]});
        }
    }

    // Every pixel of output row j averaged, from whole source rows.
    void averageAll(int j, const unsigned char *const *rows, int first, Word *out)
    {
        tapDown(j);
        const Pixel *sums[KeptRows];
        float weights[KeptRows];
        const int count = int(downTaps_.size());
        for (int k = 0; k < count; ++k) {
            const int s = downTaps_[size_t(k)].source;
            acrossRow(s, reinterpret_cast<const Word *>(rows[s - first]));
            sums[k] = acrossRows_[size_t(s) % KeptRows].sums.data();
            weights[k] = downTaps_[size_t(k)].weight;
        }
        const float downNormaliser = down_.normaliser(j);
        Pixel block[4];
        int x = 0;
        const auto pixel = [&](int x) {
            Pixel sum{};
            for (int k = 0; k < count; ++k)
                sum += weights[k] * sums[k][x];
            return sum * (downNormaliser * across_.normaliser(x));
        };
        for (; x + 4 <= width_; x += 4) {
            for (int i = 0; i < 4; ++i)
                block[i] = pixel(x + i);
            storeNarrowed(block, out + x);
        }
        for (; x < width_; ++x)
            out[x] = narrowed(pixel(x));
    }

    // Source row s (at `row`) averaged across at every output pixel, kept
    // for the output rows after that share it.
    void acrossRow(int s, const Word *row)
    {
        Across &kept = acrossRows_[size_t(s) % KeptRows];
        if (kept.source == s)
            return;
        kept.source = s;
        kept.sums.resize(size_t(width_));
        widened_.resize(size_t(across_.sourcePixels()));
        for (size_t t = 0; t < widened_.size(); ++t)
            widened_[t] = widened(row[t]);
        for (int x = 0; x < width_; ++x) {
            Pixel sum{};
            for (const HorizontalTaps::Tap *tap = taps_.begin(x); tap < taps_.end(x); ++tap)
                sum += tap->weight * widened_[size_t(tap->source)];
            kept.sums[size_t(x)] = sum;
        }
    }

    // marks_: per source column, bit 1 where the first row differs from the
    // column before, bit 2 where a later row differs from the first.
    void mark(const unsigned char *const *rows, int count)
    {
        const Word *top = reinterpret_cast<const Word *>(rows[0]);
        const int n = int(marks_.size());
        unsigned char *marks = marks_.data();
        const auto markOne = [&](int t) {
            unsigned char m = t > 0 && top[t] != top[t - 1];
            for (int r = 1; r < count; ++r)
                m |= (reinterpret_cast<const Word *>(rows[r])[t] != top[t]) << 1;
            marks[t] = m;
        };
        markOne(0);
        // Sixteen columns at a time: each comparison of four words packed
        // down to four bytes of 0 (differs) or 0xFF (same).
        const auto load = [](const Word *at) { return _mm_loadu_si128(reinterpret_cast<const __m128i *>(at)); };
        const __m128i one = _mm_set1_epi8(1), two = _mm_set1_epi8(2);
        int t = 1;
        for (; t + 16 <= n; t += 16) {
            __m128i across[4], down[4];
            for (int q = 0; q < 4; ++q) {
                const __m128i here = load(top + t + 4 * q);
                across[q] = _mm_cmpeq_epi32(here, load(top + t + 4 * q - 1));
                down[q] = _mm_set1_epi32(-1);
                for (int r = 1; r < count; ++r)
                    down[q] = _mm_and_si128(
                        down[q], _mm_cmpeq_epi32(here, load(reinterpret_cast<const Word *>(rows[r]) + t + 4 * q)));
            }
            const __m128i sameAcross =
                _mm_packs_epi16(_mm_packs_epi32(across[0], across[1]), _mm_packs_epi32(across[2], across[3]));
            const __m128i sameDown =
                _mm_packs_epi16(_mm_packs_epi32(down[0], down[1]), _mm_packs_epi32(down[2], down[3]));
            _mm_storeu_si128(reinterpret_cast<__m128i *>(marks + t),
                             _mm_or_si128(_mm_andnot_si128(sameAcross, one), _mm_andnot_si128(sameDown, two)));
        }
        for (; t < n; ++t)
            markOne(t);
    }

    // The first marked column from t on, or the number of columns: sixteen
    // marks at a time, as a sheet's blank runs are long.
    int nextMark(int t) const
    {
        const unsigned char *marks = marks_.data();
        const int n = int(marks_.size());
        const __m128i zero = _mm_setzero_si128();
        for (; t + 16 <= n; t += 16) {
            const int clear =
                _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i *>(marks + t)), zero));
            if (clear != 0xFFFF)
                return t + __builtin_ctz(unsigned(~clear));
        }
        while (t < n && !marks[t])
            ++t;
        return t;
    }

    // Source rows averaged across, by source row modulo KeptRows: more than
    // the source rows of one output row (a source pixel is never smaller
    // than half an output pixel, so three make one at most; an output row
    // of more is averaged pixel by pixel).
    static constexpr int KeptRows = 8;
    static constexpr int DenseCheck = 8;
    struct Across {
        int source = -1;
        std::vector<Pixel> sums;
    };

    const AxisResampling &across_;
    const AxisResampling &down_;
    HorizontalTaps taps_;
    int width_;
    std::vector<unsigned char> marks_;
    // The first output pixel whose sources reach past column t, t in [0, n];
    // the output pixels before coveredEnd_ have sources.
    std::vector<int> firstEndingAfter_;
    int coveredEnd_ = 0;
    std::vector<int> mixed_;
    std::vector<HorizontalTaps::Tap> downTaps_;
    bool dense_ = false; // the last row looked at was mostly mixed
    int denseRows_ = 0;
    std::vector<Pixel> widened_;
    Across acrossRows_[KeptRows];
};

} // namespace

// One picture of one sheet set up for drawing, kept from one call to the
// next: a picture asked for in bands would otherwise map both axes again
// for every band.
struct SheetLayout {
    SheetLayout(const AxisResampling::Lines &columns, const AxisResampling::Lines &rowLines, int width, int height,
                const TwipRect &area)
        : across(columns, area.x, area.width, width, twipsPerSource(area.width, width)),
          down(rowLines, area.y, area.height, height, twipsPerSource(area.height, height)),
          averager(across, down, width)
    {
    }

    bool same(int sheet_, int width_, int height_, const TwipRect &area_) const
    {
        return sheet == sheet_ && width == width_ && height == height_ && area.x == area_.x && area.y == area_.y &&
               area.width == area_.width && area.height == area_.height;
    }

    int sheet = -1, width = 0, height = 0;
    TwipRect area{};
    AxisResampling across, down;
    RowAverager averager;
};

SheetScratch::SheetScratch() = default;
SheetScratch::~SheetScratch() = default;

void renderSheetRows(const SheetPainter &paint, const AxisResampling::Lines &columns,
                     const AxisResampling::Lines &rowLines, unsigned char *canvas, int width, int height,
                     const TwipRect &area, int top, int rows, int sheet, SheetScratch &scratch)
{
    if (!scratch.layout || !scratch.layout->same(sheet, width, height, area)) {
        scratch.layout.reset();
        scratch.layout = std::make_unique<SheetLayout>(columns, rowLines, width, height, area);
        scratch.layout->sheet = sheet;
        scratch.layout->width = width;
        scratch.layout->height = height;
        scratch.layout->area = area;
    }
    SheetLayout &layout = *scratch.layout;
    const AxisResampling &across = layout.across, &down = layout.down;
    const size_t sourceRowBytes = size_t(across.sourcePixels()) * 4;
    // A band of BandBytes, or of eight margins where that is more (a band's
    // margins are drawn for nothing), but never more than MostBandBytes.
    const size_t fewest = BandBytes / sourceRowBytes, most = MostBandBytes / sourceRowBytes;
    const int bandRows =
        int(std::max<size_t>(1, std::min(most, std::max(fewest, size_t(8) * size_t(bandMargin(down))))));

    std::vector<const unsigned char *> sourceRowsOf;
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
        layout.averager.newBand();
        sourceRowsOf.resize(size_t(std::max(sourceRows, 0)));
        for (int s = 0; s < sourceRows; ++s)
            sourceRowsOf[size_t(s)] = band + size_t(s) * sourceRowBytes;
        for (int j = from; j < to; ++j)
            layout.averager.average(j, sourceRowsOf.data(), first,
                                    reinterpret_cast<Word *>(canvas + size_t(j - top) * size_t(width) * 4));
        from = to;
    }
}

} // namespace folivex::office
