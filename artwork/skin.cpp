#include "artwork/skin.h"

#include "artwork/captionbutton.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace folivex::artwork {

namespace {

constexpr int CellWidth = 25;
constexpr int CellHeight = 31;
// Where a caption button stands on the title strip: its cells' top.
constexpr int ButtonTop = 3;

// The green of the toolbar and the status strip, from left to right:
// deep green lightened a little, Folivex green, almost black.
void FillGreenGradient(QPainter &painter, const QRect &rect)
{
    QLinearGradient across(rect.left(), 0, rect.right() + 1, 0);
    across.setColorAt(0.0, QColor(44, 124, 78));
    across.setColorAt(0.45, QColor(31, 95, 58));
    across.setColorAt(0.8, QColor(14, 46, 28));
    across.setColorAt(1.0, QColor(5, 16, 10));
    painter.fillRect(rect, across);
}

} // namespace

QColor CaptionSheetKey()
{
    return QColor(255, 0, 255);
}

QImage TitleStripSource()
{
    QImage image(799, 37, QImage::Format_RGB32);
    QPainter painter(&image);
    PaintTitleBackground(painter, image.rect());

    // A faint orange glow behind the icon, gone well before column 150.
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(QPointF(18, 13), 56);
    glow.setColorAt(0.0, QColor(224, 138, 30, 44));
    glow.setColorAt(1.0, QColor(224, 138, 30, 0));
    painter.fillRect(QRect(0, 0, 100, 30), glow);

    const CaptionGlyph glyphs[] = {CaptionGlyph::Minimise, CaptionGlyph::Maximise, CaptionGlyph::Close};
    for (int i = 0; i < 3; ++i) {
        painter.save();
        painter.translate(712 + i * CellWidth, ButtonTop);
        PaintCaptionButton(painter, glyphs[i], CaptionLook::Normal);
        painter.restore();
    }
    return image;
}

QImage CaptionButtonSheet()
{
    const QRgb key = CaptionSheetKey().rgb();
    QImage sheet(101, 93, QImage::Format_RGB32);
    sheet.fill(key);

    // What a button covers in its cell, antialiased: where it covers
    // nothing the cell keeps the key colour.
    QImage coverage(CellWidth, CellHeight, QImage::Format_ARGB32_Premultiplied);
    coverage.fill(Qt::transparent);
    {
        QPainter painter(&coverage);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::black, 1.0));
        painter.setBrush(Qt::black);
        painter.drawPath(CaptionKeyShape());
    }

    const int columns[] = {0, 25, 50, 76};
    const CaptionGlyph glyphs[] = {CaptionGlyph::Minimise, CaptionGlyph::Maximise, CaptionGlyph::Close,
                                   CaptionGlyph::Restore};
    const CaptionLook looks[] = {CaptionLook::Normal, CaptionLook::PointerOver, CaptionLook::Pressed};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column) {
            QImage cell(CellWidth, CellHeight, QImage::Format_RGB32);
            {
                QPainter painter(&cell);
                // The strip rows the cell covers, so the button's soft edge
                // blends into what lies behind it.
                painter.translate(0, -ButtonTop);
                PaintTitleBackground(painter, QRect(0, ButtonTop, CellWidth, CellHeight));
                painter.translate(0, ButtonTop);
                PaintCaptionButton(painter, glyphs[column], looks[row]);
            }
            for (int y = 0; y < CellHeight; ++y)
                for (int x = 0; x < CellWidth; ++x)
                    if (qAlpha(coverage.pixel(x, y)) == 0)
                        cell.setPixel(x, y, key);
            QPainter painter(&sheet);
            painter.drawImage(columns[column], row * CellHeight, cell);
        }
    }
    return sheet;
}

QImage ListBackground()
{
    QImage image(19, 16, QImage::Format_RGB32);
    image.fill(QColor(172, 212, 234));
    return image;
}

QImage LeftEdge()
{
    const QRgb lines[] = {qRgb(26, 96, 166), qRgb(74, 200, 250), qRgb(16, 141, 207), qRgb(65, 153, 198)};
    QImage image(4, 15, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < 4; ++x)
            image.setPixel(x, y, lines[x]);
    return image;
}

QImage RightEdge()
{
    return LeftEdge().mirrored(true, false);
}

QImage StatusStrip()
{
    QImage image(700, 38, QImage::Format_RGB32);
    QPainter painter(&image);
    FillGreenGradient(painter, image.rect());
    // Shade downwards, a lit line on top and a dark one at the foot.
    QLinearGradient down(0, 0, 0, image.height());
    down.setColorAt(0.0, QColor(255, 255, 255, 30));
    down.setColorAt(0.5, QColor(0, 0, 0, 0));
    down.setColorAt(1.0, QColor(0, 0, 0, 70));
    painter.fillRect(image.rect(), down);
    painter.fillRect(QRect(0, 0, image.width(), 1), QColor(255, 255, 255, 70));
    painter.fillRect(QRect(0, 1, image.width(), 1), QColor(0, 0, 0, 40));
    return image;
}

QImage ToolbarBackground()
{
    QImage image(700, 73, QImage::Format_RGB32);
    QPainter painter(&image);
    FillGreenGradient(painter, image.rect());
    // Gloss over the upper half, shade at the foot, a dark seam below.
    QLinearGradient gloss(0, 0, 0, 36);
    gloss.setColorAt(0.0, QColor(255, 255, 255, 56));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.fillRect(QRect(0, 0, image.width(), 36), gloss);
    QLinearGradient shade(0, 36, 0, 73);
    shade.setColorAt(0.0, QColor(0, 0, 0, 0));
    shade.setColorAt(1.0, QColor(0, 0, 0, 60));
    painter.fillRect(QRect(0, 36, image.width(), 37), shade);
    painter.fillRect(QRect(0, 0, image.width(), 1), QColor(255, 255, 255, 40));
    painter.fillRect(QRect(0, 72, image.width(), 1), QColor(0, 0, 0, 110));
    return image;
}

} // namespace folivex::artwork
