// PageJpeg: the one JPEG image holder of the conversion.
//
// Assign() keeps a copy of a page bitmap and drops any JPEG bytes. The first
// SaveToStream() after an assign encodes the bitmap (baseline, quality 90,
// three components); later saves write the same bytes again. A holder with
// no bitmap, or one of width or height 0, saves nothing.
#pragma once

#include "convert/jpegencoder.h"
#include "core/bytesink.h"

#include <QImage>

#include <cstdint>
#include <functional>
#include <vector>

namespace folivex::convert {

class PageJpeg {
public:
    // `layout` is how the encoding lays out its coded data (see ScanLayout).
    void Assign(const QImage &bitmap, ScanLayout layout = ScanLayout::Continuous);
    // A page too big to hold whole: the holder keeps `paint` (see
    // EncodeBaselineJpegInBands) and no bitmap, and the first save encodes
    // it band by band. What `paint` needs must live until the next assign.
    void AssignBands(int width, int height, int bandRows, BandPainter paint,
                     ScanLayout layout = ScanLayout::Continuous);

    // Writes the complete JPEG file into `stream`. Throws
    // folivex::Error("JPEG error #N: TEXT") when the library refuses the bitmap;
    // the holder then stays unencoded and the next save tries again.
    void SaveToStream(ByteSink &stream);
    // The encoding of a whole assigned bitmap as a job for another thread: it
    // holds its own reference to the bitmap and returns what SaveToStream
    // would write, or throws what it would. Empty for bands (their painter
    // must run on this thread) and for bytes already encoded: those are
    // saved with SaveToStream.
    std::function<std::vector<std::uint8_t>()> DetachEncoding() const;

    const QImage &bitmap() const { return bitmap_; }

private:
    QImage bitmap_;
    int bandWidth_ = 0, bandHeight_ = 0, bandRows_ = 0;
    BandPainter paint_;
    ScanLayout layout_ = ScanLayout::Continuous;
    std::vector<std::uint8_t> jpeg_;
    bool encoded_ = false;
};

} // namespace folivex::convert
