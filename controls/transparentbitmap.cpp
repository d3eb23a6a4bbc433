#include "controls/transparentbitmap.h"

namespace folivex::controls {

QImage TransparentBitmap(const QImage &bitmap)
{
    if (bitmap.isNull())
        return {};
    QImage image = bitmap.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = image.pixel(0, image.height() - 1) | 0xFF000000u;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = (line[x] | 0xFF000000u) == key ? 0u : (line[x] | 0xFF000000u);
    }
    return image;
}

} // namespace folivex::controls
