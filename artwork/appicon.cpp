#include "artwork/appicon.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace folivex::artwork {

void PaintAppIcon(QPainter &painter, const QRectF &target)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(target.topLeft());
    painter.scale(target.width() / 256.0, target.height() / 256.0);

    // The green tile with a lit top.
    QLinearGradient tile(0, 16, 0, 240);
    tile.setColorAt(0.0, QColor(0x3a, 0x9a, 0x62));
    tile.setColorAt(0.55, QColor(0x1f, 0x5f, 0x3a));
    tile.setColorAt(1.0, QColor(0x14, 0x40, 0x27));
    painter.setPen(QPen(QColor(0x0e, 0x30, 0x1c), 6));
    painter.setBrush(tile);
    painter.drawRoundedRect(QRectF(16, 16, 224, 224), 48, 48);

    // The page, its top-right corner folded.
    QPainterPath page;
    page.moveTo(68, 36);
    page.lineTo(158, 36);
    page.lineTo(196, 74);
    page.lineTo(196, 212);
    page.quadTo(196, 220, 188, 220);
    page.lineTo(76, 220);
    page.quadTo(68, 220, 68, 212);
    page.lineTo(68, 44);
    page.quadTo(68, 36, 76, 36);
    page.closeSubpath();
    painter.setPen(QPen(QColor(0x0e, 0x30, 0x1c), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(QColor(0xfb, 0xfb, 0xf7));
    painter.drawPath(page);

    QPainterPath fold;
    fold.moveTo(158, 36);
    fold.lineTo(158, 74);
    fold.lineTo(196, 74);
    fold.closeSubpath();
    painter.setBrush(QColor(0xc9, 0xdb, 0xcf));
    painter.drawPath(fold);

    // Lines of text.
    painter.setPen(QPen(QColor(0x8f, 0xae, 0x9a), 12, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(94, 96), QPointF(136, 96));
    painter.drawLine(QPointF(94, 124), QPointF(170, 124));
    painter.drawLine(QPointF(94, 152), QPointF(150, 152));

    // The orange leaf over the page's lower right, tip up and to the right.
    QPainterPath leaf;
    leaf.moveTo(118, 226);
    leaf.cubicTo(112, 170, 160, 128, 230, 122);
    leaf.cubicTo(226, 190, 178, 232, 118, 226);
    leaf.closeSubpath();
    QLinearGradient leafFill(130, 220, 220, 130);
    leafFill.setColorAt(0.0, QColor(0xc4, 0x6a, 0x0c));
    leafFill.setColorAt(0.5, QColor(0xe0, 0x8a, 0x1e));
    leafFill.setColorAt(1.0, QColor(0xf6, 0xb2, 0x4e));
    painter.setPen(QPen(QColor(0x8a, 0x46, 0x06), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(leafFill);
    painter.drawPath(leaf);
    // Its midrib.
    painter.setPen(QPen(QColor(0xff, 0xe2, 0xb0), 6, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    QPainterPath rib;
    rib.moveTo(124, 220);
    rib.quadTo(170, 184, 214, 136);
    painter.drawPath(rib);

    painter.restore();
}

QImage AppIcon(int side)
{
    if (side < 1)
        return {};
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    PaintAppIcon(painter, QRectF(0, 0, side, side));
    return image;
}

} // namespace folivex::artwork
