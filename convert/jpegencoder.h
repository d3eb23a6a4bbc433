// Baseline JPEG compression of a 24-bit bitmap with libjpeg.
#pragma once

#include <QImage>

#include <cstdint>
#include <vector>

namespace folivex::convert {

// Compresses `bitmap` (any format; converted to 24-bit RGB first) into a
// baseline JFIF file: quality 90, three components, 8 bits per sample.
// A library error throws folivex::Error("JPEG error #N") with the library's
// message number (41 for an image over 65500 pixels wide or tall); warnings
// are ignored. The bitmap must not be empty.
std::vector<std::uint8_t> EncodeBaselineJpeg(const QImage &bitmap);

} // namespace folivex::convert
