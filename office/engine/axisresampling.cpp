#include "office/engine/axisresampling.h"

#include <algorithm>
#include <cmath>

namespace folivex::office {

long AxisResampling::calcPixels(long twips, double pixelsPerTwip)
{
    // As Calc computes it: the product truncated, a line of any twips at
    // least one pixel.
    const long pixels = long(double(twips) * pixelsPerTwip);
    return pixels == 0 && twips != 0 ? 1 : pixels;
}

double AxisResampling::calcPixelAt(const Lines &lines, long twips, double pixelsPerTwip)
{
    const std::vector<long> &sizes = lines(twips);
    long at = 0, calc = 0;
    for (const long size : sizes) {
        if (at + size > twips)
            return double(calc) + double(twips - at) * double(calcPixels(size, pixelsPerTwip)) / double(size);
        at += size;
        calc += calcPixels(size, pixelsPerTwip);
    }
    // Beyond the sheet's lines pixels are true.
    return double(calc) + double(twips - at) * pixelsPerTwip;
}

double AxisResampling::calcScale(long twipsPerPixel)
{
    // A tile's zoom is its pixels times 15 (twips a pixel at 96 dpi) over its
    // twips, 15 / twipsPerPixel here, and Calc's pixels a twip are that zoom
    // times the screen's 96 / 1440, multiplied in this order.
    return (96.0 / 1440.0) * (15.0 / double(twipsPerPixel));
}

AxisResampling::AxisResampling(const Lines &lines, long start, long length, int pixels, long twipsPerSource)
{
    const long q = std::max(1L, twipsPerSource);
    twipsPerSource_ = q;
    const double scale = calcScale(q);
    // The drawing covers Calc's pixels of the area, from its start's to its
    // end's. Calc's pixels lag the true ones, so these lie above (left of)
    // the true pixels of the area: a drawing of those would begin below the
    // area's first rows (columns) and miss them.
    const long end = start + length;
    const long origin = std::min(long(std::floor(calcPixelAt(lines, start, scale))), start / q);
    sourceStart_ = origin * q;
    const int count = int(std::max(1L, long(std::ceil(calcPixelAt(lines, end, scale))) - origin));

    // The line edges around the drawing: (Calc's pixel, true pixel), both in
    // source pixels from the drawing's start. Calc's pixels lag the true
    // ones, so lines are read on until Calc's reach past the drawing.
    std::vector<std::pair<long, double>> edges{{-origin, -double(origin)}};
    long twips = 0, calc = 0;
    size_t next = 0;
    const std::vector<long> *sizes = &lines(end);
    while (calc - origin < count) {
        if (next == sizes->size()) {
            sizes = &lines(twips + std::max(1440L, 2 * q * (count - (calc - origin))));
            if (next == sizes->size())
                break; // the sheet ends: beyond it, pixels are true
        }
        const long size = (*sizes)[next++];
        twips += size;
        calc += calcPixels(size, scale);
        if (calc - origin > 0)
            widestLine_ = std::max(widestLine_, int(calcPixels(size, scale)));
        const std::pair<long, double> edge{calc - origin, double(twips - sourceStart_) / double(q)};
        if (edge.first <= 0)
            edges.front() = edge;
        else if (edge.first > edges.back().first)
            edges.push_back(edge);
    }

    // Where each source pixel edge lands, in output pixels.
    const double outputPerTwip = double(pixels) / double(length);
    std::vector<double> at(size_t(count) + 1);
    size_t k = 0;
    for (int s = 0; s <= count; ++s) {
        while (k + 1 < edges.size() && edges[k + 1].first <= s)
            ++k;
        double truePixel;
        if (k + 1 < edges.size()) {
            const auto &[d0, e0] = edges[k];
            const auto &[d1, e1] = edges[k + 1];
            truePixel = e0 + double(s - d0) * (e1 - e0) / double(d1 - d0);
        } else {
            truePixel = edges[k].second + double(s - edges[k].first);
        }
        at[size_t(s)] = (double(sourceStart_ - start) + truePixel * double(q)) * outputPerTwip;
    }

    shareFirst_.assign(size_t(count), 0);
    shareCount_.assign(size_t(count), 0);
    shareOffset_.assign(size_t(count), 0);
    firstSource_.assign(size_t(pixels), count);
    endSource_.assign(size_t(pixels), 0);
    std::vector<double> received(size_t(pixels), 0.0);
    for (int s = 0; s < count; ++s) {
        const double a = at[size_t(s)], b = at[size_t(s) + 1];
        const int first = std::max(0, int(std::floor(a)));
        const int last = std::min(pixels, int(std::ceil(b)));
        shareFirst_[size_t(s)] = first;
        shareOffset_[size_t(s)] = int(weights_.size());
        for (int j = first; j < last; ++j) {
            const double w = std::min(b, double(j + 1)) - std::max(a, double(j));
            if (w <= 0)
                continue;
            if (shareCount_[size_t(s)] == 0)
                shareFirst_[size_t(s)] = j;
            // Weights of one source pixel are consecutive output pixels.
            weights_.resize(size_t(shareOffset_[size_t(s)]) + size_t(j - shareFirst_[size_t(s)]) + 1, 0.0f);
            weights_.back() = float(w);
            shareCount_[size_t(s)] = j - shareFirst_[size_t(s)] + 1;
            received[size_t(j)] += w;
            firstSource_[size_t(j)] = std::min(firstSource_[size_t(j)], s);
            endSource_[size_t(j)] = std::max(endSource_[size_t(j)], s + 1);
        }
    }
    normaliser_.resize(size_t(pixels));
    received_.resize(size_t(pixels));
    for (int j = 0; j < pixels; ++j) {
        received_[size_t(j)] = float(received[size_t(j)]);
        normaliser_[size_t(j)] = received[size_t(j)] > 0 ? float(1.0 / received[size_t(j)]) : 1.0f;
        if (firstSource_[size_t(j)] >= endSource_[size_t(j)]) // none: an empty span where the last ended
            firstSource_[size_t(j)] = endSource_[size_t(j)] = j > 0 ? endSource_[size_t(j) - 1] : 0;
    }
}

} // namespace folivex::office
