// AxisResampling: one axis of a worksheet's picture drawn by Calc at a finer
// scale, area-averaged onto the picture's pixels with every column (row)
// edge where the sheet's model has it.
//
// Calc's tile rendering lays cells out on whole pixels of its own: a line
// (column or row) takes its twips times Calc's pixels a twip, truncated, and
// at least one pixel (ScViewData::ToPixel), counted from the sheet's corner.
// So the cells of a long sheet end short of their area, while drawing
// objects, moved onto the cells they are anchored to, follow the cells.
// Between two line edges this axis maps the pixels Calc gave a line
// linearly onto the line's true extent; each output pixel is the average of
// what covers it (area averaging). The drawing's own pixels are whole twips
// (`twipsPerSource`), so a band of it starts and ends on a whole twip.
// Plain arithmetic: nothing here throws but std::bad_alloc.
#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace folivex::office {

class AxisResampling {
public:
    // The sizes in twips of the sheet's lines from its first on, at least
    // until they reach the given twips from the sheet's corner (fewer only
    // where the sheet ends). The reference stays valid until the next call.
    using Lines = std::function<const std::vector<long> &(long twips)>;

    // Maps the area [start, start + length) twips onto `pixels` output
    // pixels; the drawing has `twipsPerSource` twips a pixel (at least 1).
    AxisResampling(const Lines &lines, long start, long length, int pixels, long twipsPerSource);

    // Where the drawing begins, in twips from the sheet's corner: Calc's
    // whole pixel at the area's start, at or before the start.
    long sourceStart() const { return sourceStart_; }
    int sourcePixels() const { return int(shareFirst_.size()); }
    long twipsPerSource() const { return twipsPerSource_; }
    // The most source pixels Calc gives one line of those around the drawing.
    int widestLine() const { return widestLine_; }

    // The source pixels [firstSource(j), endSource(j)) make output pixel
    // j; both grow with j.
    int firstSource(int j) const { return firstSource_[size_t(j)]; }
    int endSource(int j) const { return endSource_[size_t(j)]; }

    // Source pixel s covers output pixels [shareFirst(s), shareFirst(s) +
    // shareCount(s)), with weights shareWeights(s)[0..count).
    int shareFirst(int s) const { return shareFirst_[size_t(s)]; }
    int shareCount(int s) const { return shareCount_[size_t(s)]; }
    const float *shareWeights(int s) const { return weights_.data() + shareOffset_[size_t(s)]; }
    // The weight output pixel j receives in all, and 1 / it (1 where it
    // gets none).
    float received(int j) const { return received_[size_t(j)]; }
    float normaliser(int j) const { return normaliser_[size_t(j)]; }

    // Calc's pixels for a line of `twips` at `pixelsPerTwip`.
    static long calcPixels(long twips, double pixelsPerTwip);
    // Calc's pixel (fractional) of the point `twips` from the sheet's corner
    // along `lines`, at `pixelsPerTwip`.
    static double calcPixelAt(const Lines &lines, long twips, double pixelsPerTwip);
    // Calc's pixels a twip in a tile of `twipsPerPixel` twips a pixel.
    static double calcScale(long twipsPerPixel);

private:
    long sourceStart_ = 0;
    long twipsPerSource_ = 1;
    int widestLine_ = 0;
    std::vector<int> shareFirst_, shareCount_, shareOffset_;
    std::vector<float> weights_;
    std::vector<float> received_, normaliser_;
    std::vector<int> firstSource_, endSource_;
};

} // namespace folivex::office
