// The application icon: a white page with a folded corner and an orange
// leaf on a deep green rounded square. Drawn from a 256 x 256 design at any
// size; artwork/folivex.svg is the same drawing for the desktop.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRectF>

namespace folivex::artwork {

// Paints the icon scaled into `target` (a square is expected; otherwise the
// design is stretched). The painter's state is restored afterwards.
void PaintAppIcon(QPainter &painter, const QRectF &target);

// The icon as a side x side image (ARGB32 premultiplied, transparent
// around the rounded square): 16 for the title strip, 256 for the desktop.
// A side below 1 gives a null image.
QImage AppIcon(int side);

} // namespace folivex::artwork
