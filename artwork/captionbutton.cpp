#include "artwork/captionbutton.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace folivex::artwork {

namespace {

QColor Mix(QColor a, QColor b, double t)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t);
}

// The strip's colour at row y: a lit grey top half, a near-black lower half,
// an orange line along the foot.
QColor StripRow(int y)
{
    if (y <= 0)
        return QColor(128, 133, 140);
    if (y <= 14)
        return Mix(QColor(96, 101, 108), QColor(60, 63, 68), (y - 1) / 13.0);
    if (y <= 29)
        return Mix(QColor(30, 32, 35), QColor(11, 12, 13), (y - 15) / 14.0);
    switch (y) {
    case 30: return QColor(70, 40, 10);
    case 31: return QColor(240, 154, 44);
    case 32: return QColor(184, 100, 22);
    default: return QColor(16, 16, 16);
    }
}

struct KeyColours {
    QColor top, bottom, glyph;
    bool gloss;
};

KeyColours ColoursOf(CaptionGlyph glyph, CaptionLook look)
{
    const bool close = glyph == CaptionGlyph::Close;
    switch (look) {
    case CaptionLook::Normal: return {QColor(88, 92, 99), QColor(24, 26, 29), QColor(228, 231, 235), true};
    case CaptionLook::PointerOver:
        return close ? KeyColours{QColor(240, 96, 78), QColor(170, 32, 20), Qt::white, true}
                     : KeyColours{QColor(248, 176, 76), QColor(204, 114, 22), Qt::white, true};
    case CaptionLook::Pressed:
        return close ? KeyColours{QColor(120, 20, 12), QColor(160, 34, 22), QColor(255, 224, 218), false}
                     : KeyColours{QColor(140, 72, 10), QColor(186, 100, 18), QColor(255, 236, 214), false};
    }
    return {};
}

void PaintGlyph(QPainter &painter, CaptionGlyph glyph, QColor colour)
{
    painter.setBrush(Qt::NoBrush);
    switch (glyph) {
    case CaptionGlyph::Minimise: painter.fillRect(QRectF(8, 16, 9, 2), colour); break;
    case CaptionGlyph::Maximise:
        painter.setPen(QPen(colour, 1.0));
        painter.drawRect(QRectF(8.5, 8.5, 8, 8));
        painter.fillRect(QRectF(8, 8, 9, 2), colour);
        break;
    case CaptionGlyph::Restore:
        painter.setPen(QPen(colour, 1.0));
        // The window behind: its top and right edges.
        painter.drawLine(QPointF(10.5, 7.5), QPointF(17.5, 7.5));
        painter.drawLine(QPointF(17.5, 7.5), QPointF(17.5, 13.5));
        painter.fillRect(QRectF(10, 7, 8, 2), colour);
        // The window in front.
        painter.drawRect(QRectF(7.5, 10.5, 7, 7));
        painter.fillRect(QRectF(7, 10, 8, 2), colour);
        break;
    case CaptionGlyph::Close:
        painter.setPen(QPen(colour, 2.0, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(8.5, 9.0), QPointF(16.5, 17.0));
        painter.drawLine(QPointF(16.5, 9.0), QPointF(8.5, 17.0));
        break;
    }
}

} // namespace

void PaintTitleBackground(QPainter &painter, const QRect &rect)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        painter.fillRect(QRect(rect.left(), y, rect.width(), 1), StripRow(y));
}

QPainterPath CaptionKeyShape()
{
    QPainterPath shape;
    shape.addRoundedRect(QRectF(1.5, 3.5, 22, 19), 4, 4);
    return shape;
}

void PaintCaptionButton(QPainter &painter, CaptionGlyph glyph, CaptionLook look)
{
    const KeyColours colours = ColoursOf(glyph, look);
    const QPainterPath shape = CaptionKeyShape();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient fill(0, 3.5, 0, 22.5);
    fill.setColorAt(0.0, colours.top);
    fill.setColorAt(1.0, colours.bottom);
    painter.setPen(QPen(QColor(6, 6, 7), 1.0));
    painter.setBrush(fill);
    painter.drawPath(shape);

    if (colours.gloss) {
        // Glass: a light band over the upper half, a thin lit rim on top.
        QPainterPath upper;
        upper.addRoundedRect(QRectF(2.5, 4.5, 20, 8.5), 3, 3);
        QLinearGradient shine(0, 4.5, 0, 13);
        shine.setColorAt(0.0, QColor(255, 255, 255, 90));
        shine.setColorAt(1.0, QColor(255, 255, 255, 16));
        painter.setPen(Qt::NoPen);
        painter.setBrush(shine);
        painter.drawPath(upper);
    } else {
        // Pressed in: a shadow along the inner top edge.
        painter.setPen(QPen(QColor(0, 0, 0, 110), 1.0));
        painter.drawLine(QPointF(4, 5), QPointF(21, 5));
    }

    if (look == CaptionLook::Pressed)
        painter.translate(0, 1);
    PaintGlyph(painter, glyph, colours.glyph);
    painter.restore();
}

} // namespace folivex::artwork
