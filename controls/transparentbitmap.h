// Bitmaps whose transparent colour is that of their lower-left pixel.
#pragma once

#include <QImage>

namespace folivex::controls {

// The bitmap as an image with an alpha channel (Format_ARGB32): every pixel
// of exactly the colour of the lower-left pixel becomes fully transparent,
// every other pixel keeps its colour, opaque. A null bitmap gives a null
// image. Never throws.
QImage TransparentBitmap(const QImage &bitmap);

} // namespace folivex::controls
