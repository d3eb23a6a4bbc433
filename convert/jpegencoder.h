// Baseline JPEG compression of a 24-bit bitmap with libjpeg.
#pragma once

#include <QImage>

#include <cstdint>
#include <functional>
#include <vector>

namespace folivex::convert {

// How a file's coded data is laid out: in one piece, or with a restart
// marker after every row of 16 pixel rows, each row coded on its own (rows
// of white, a page's margins, are then coded once for all). Both decode to
// the same pixels; the second is a little larger where few rows are white.
enum class ScanLayout { Continuous, RestartEveryRow };

// Compresses `bitmap` (any format; converted to 24-bit RGB first) into a
// baseline JFIF file: quality 90, three components, 8 bits per sample.
// A library error throws folivex::Error("JPEG error #N: TEXT") with the
// library's message number and its own text ("JPEG error #41: Maximum
// supported image dimension is 65500 pixels" for an image over 65500 pixels
// wide or tall); warnings are ignored. The bitmap must not be empty.
std::vector<std::uint8_t> EncodeBaselineJpeg(const QImage &bitmap, ScanLayout layout = ScanLayout::Continuous);

// Paints rows [top, top + band.height()) of the image into `band`, a
// Format_RGB888 image of the image's width whose pixels are undefined.
using BandPainter = std::function<void(int top, QImage &band)>;

// The same compression of a width x height image that is never whole in
// memory: `paint` is asked for one band of `bandRows` rows (rounded up to
// a multiple of 16) after another, the last one shorter, top to bottom. The bytes are those of
// EncodeBaselineJpeg on the assembled image. What `paint` throws is thrown.
std::vector<std::uint8_t> EncodeBaselineJpegInBands(int width, int height, int bandRows, const BandPainter &paint,
                                                    ScanLayout layout = ScanLayout::Continuous);

} // namespace folivex::convert
