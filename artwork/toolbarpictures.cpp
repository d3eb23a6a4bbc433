#include "artwork/toolbarpictures.h"

#include "artwork/folder.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <initializer_list>
#include <numbers>

namespace folivex::artwork {

namespace {

const QColor Outline(12, 34, 22);
const QColor Paper(252, 252, 248);
const QColor PaperShade(214, 226, 218);
const QColor TextLine(150, 172, 158);
const QColor Orange(0xe0, 0x8a, 0x1e);

QPen OutlinePen(qreal width = 1.2)
{
    return QPen(Outline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// The closed outline through `points`, in order.
QPainterPath ClosedPath(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.moveTo(*points.begin());
    for (auto point = points.begin() + 1; point != points.end(); ++point)
        path.lineTo(*point);
    path.closeSubpath();
    return path;
}

// A page with its top-right corner folded, inside `r`.
void Page(QPainter &p, const QRectF &r, bool lines = true)
{
    const qreal fold = r.width() * 0.32;
    const QPainterPath page = ClosedPath(
        {r.topLeft(), {r.right() - fold, r.top()}, {r.right(), r.top() + fold}, r.bottomRight(), r.bottomLeft()});
    QLinearGradient fill(r.topLeft(), r.bottomRight());
    fill.setColorAt(0.0, Paper);
    fill.setColorAt(1.0, QColor(232, 238, 234));
    p.setPen(OutlinePen());
    p.setBrush(fill);
    p.drawPath(page);

    const QPainterPath corner =
        ClosedPath({{r.right() - fold, r.top()}, {r.right() - fold, r.top() + fold}, {r.right(), r.top() + fold}});
    p.setBrush(PaperShade);
    p.drawPath(corner);

    if (!lines)
        return;
    p.setPen(QPen(TextLine, 1.4, Qt::SolidLine, Qt::RoundCap));
    const qreal left = r.left() + r.width() * 0.2;
    const qreal right = r.right() - r.width() * 0.2;
    for (qreal y = r.top() + fold + 3; y < r.bottom() - 3; y += 3.5)
        p.drawLine(QPointF(left, y), QPointF(right, y));
}

enum class Symbol { Plus, Minus, Cross };

// A round badge with a white symbol, as used for add and remove.
void Badge(QPainter &p, QPointF centre, qreal radius, QColor colour, Symbol symbol)
{
    QRadialGradient fill(centre - QPointF(radius * 0.35, radius * 0.45), radius * 1.5);
    fill.setColorAt(0.0, colour.lighter(135));
    fill.setColorAt(1.0, colour.darker(115));
    p.setPen(QPen(Outline, 1.2));
    p.setBrush(fill);
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius - 1.3, radius - 1.3);

    const qreal arm = radius * 0.5;
    p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap));
    switch (symbol) {
    case Symbol::Plus:
        p.drawLine(centre - QPointF(arm, 0), centre + QPointF(arm, 0));
        p.drawLine(centre - QPointF(0, arm), centre + QPointF(0, arm));
        break;
    case Symbol::Minus: p.drawLine(centre - QPointF(arm, 0), centre + QPointF(arm, 0)); break;
    case Symbol::Cross: {
        const qreal d = arm * 0.8;
        p.drawLine(centre + QPointF(-d, -d), centre + QPointF(d, d));
        p.drawLine(centre + QPointF(d, -d), centre + QPointF(-d, d));
        break;
    }
    }
}

const QColor AddGreen(56, 196, 96);
const QColor RemoveRed(226, 64, 48);

// The folder of Add folder: outlined like the other pictures, the flap
// leaning out to the right.
const FolderLook ToolbarFolder = {
    .outline = OutlinePen(),
    .backTop = QColor(236, 150, 50),
    .backBottom = QColor(196, 104, 18),
    .sheetEdge = QPen(QColor(150, 150, 150), 0.8),
    .frontTop = QColor(255, 210, 110),
    .frontBottom = QColor(242, 154, 36),
    .flapLight = QColor(255, 240, 190),
    .tab = 3,
    .tabStart = 0.36,
    .tabEnd = 0.46,
    .flapTop = 0.36,
    .flapInset = 2.5,
    .flapOverhang = 1.5,
    .flapFootInset = 0,
    .shadeOverhang = 0,
    .lightInset = 3.5,
    .lightShort = 0,
    .lightDrop = 1.2,
};

void PaintAdd(QPainter &p)
{
    Page(p, QRectF(6.5, 3.5, 17, 23));
    Badge(p, QPointF(22.5, 23), 7, AddGreen, Symbol::Plus);
}

void PaintAdds(QPainter &p)
{
    PaintFolder(p, QRectF(2.5, 6.5, 24, 19), ToolbarFolder);
    Badge(p, QPointF(23, 23), 7, AddGreen, Symbol::Plus);
}

void PaintRemove(QPainter &p)
{
    Page(p, QRectF(6.5, 3.5, 17, 23));
    Badge(p, QPointF(22.5, 23), 7, RemoveRed, Symbol::Minus);
}

void PaintRemoves(QPainter &p)
{
    Page(p, QRectF(11.5, 2.5, 15, 19), false);
    Page(p, QRectF(8.5, 5.5, 15, 19), false);
    Page(p, QRectF(5.5, 8.5, 15, 19));
    Badge(p, QPointF(23, 23.5), 7, RemoveRed, Symbol::Cross);
}

void TickBox(QPainter &p, const QRectF &r, bool ticked)
{
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0.0, Qt::white);
    fill.setColorAt(1.0, QColor(222, 232, 226));
    p.setPen(OutlinePen(1.3));
    p.setBrush(fill);
    p.drawRoundedRect(r, 3, 3);
    if (!ticked)
        return;
    QPainterPath tick;
    tick.moveTo(r.left() + r.width() * 0.2, r.top() + r.height() * 0.52);
    tick.lineTo(r.left() + r.width() * 0.42, r.top() + r.height() * 0.74);
    tick.lineTo(r.left() + r.width() * 0.84, r.top() + r.height() * 0.18);
    p.setPen(QPen(QColor(24, 140, 66), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

void PaintCheck(QPainter &p)
{
    TickBox(p, QRectF(3.5, 3.5, 15, 15), false);
    TickBox(p, QRectF(11.5, 11.5, 17, 17), true);
    // A curved arrow between the two: the ticks are swapped.
    p.setPen(QPen(Orange, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath turn;
    turn.moveTo(22, 5.5);
    turn.quadTo(27.5, 5.5, 27.5, 9.5);
    p.drawPath(turn);
    QPainterPath head;
    head.moveTo(24.7, 8.8);
    head.lineTo(27.5, 11.8);
    head.lineTo(30.3, 8.8);
    p.drawPath(head);
}

void PaintSetting(QPainter &p)
{
    const QPointF c(16, 16);
    const int teeth = 8;
    QPainterPath gear;
    const qreal outer = 13.5, inner = 10.5;
    for (int i = 0; i < teeth * 4; ++i) {
        // Each tooth: rise, top, fall, root; four steps per tooth.
        const qreal angle = (i - 0.5) * 2 * std::numbers::pi / (teeth * 4);
        const bool high = (i % 4 == 1) || (i % 4 == 2);
        const qreal radius = high ? outer : inner;
        const QPointF point = c + QPointF(std::cos(angle), std::sin(angle)) * radius;
        if (i == 0)
            gear.moveTo(point);
        else
            gear.lineTo(point);
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, 4.5, 4.5);
    gear = gear.subtracted(hole);

    QRadialGradient metal(c - QPointF(4, 5), 18);
    metal.setColorAt(0.0, QColor(250, 252, 252));
    metal.setColorAt(0.6, QColor(200, 210, 212));
    metal.setColorAt(1.0, QColor(150, 164, 168));
    p.setPen(OutlinePen(1.3));
    p.setBrush(metal);
    p.drawPath(gear);
    // A ring around the hub.
    p.setPen(QPen(QColor(120, 134, 138), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 7.2, 7.2);
}

void PaintConvert(QPainter &p)
{
    // The page being turned into a PDF: a red band with "PDF" on it.
    const QRectF pageRect(11.5, 2.5, 18, 26);
    Page(p, pageRect);
    const QRectF band(9.5, 17.5, 19, 9);
    p.setPen(OutlinePen(1.0));
    QLinearGradient red(band.topLeft(), band.bottomLeft());
    red.setColorAt(0.0, QColor(236, 70, 56));
    red.setColorAt(1.0, QColor(184, 30, 22));
    p.setBrush(red);
    p.drawRoundedRect(band, 1.5, 1.5);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(7);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(band.adjusted(0, 0, 0, 0.5), Qt::AlignCenter, QStringLiteral("PDF"));

    // The orange arrow coming in from the left.
    const QPainterPath arrow =
        ClosedPath({{1.5, 8.5}, {9.5, 8.5}, {9.5, 4.5}, {16.5, 11}, {9.5, 17.5}, {9.5, 13.5}, {1.5, 13.5}});
    QLinearGradient fill(0, 4, 0, 18);
    fill.setColorAt(0.0, QColor(255, 190, 90));
    fill.setColorAt(1.0, QColor(214, 116, 16));
    p.setPen(OutlinePen(1.2));
    p.setBrush(fill);
    p.drawPath(arrow);
}

void PaintStop(QPainter &p)
{
    const QPointF c(16, 16);
    QPolygonF octagon;
    for (int i = 0; i < 8; ++i) {
        const qreal angle = (i * 45 + 22.5) * std::numbers::pi / 180;
        octagon << c + QPointF(std::cos(angle), std::sin(angle)) * 14;
    }
    p.setPen(OutlinePen(1.3));
    p.setBrush(Qt::white);
    p.drawPolygon(octagon);
    QPolygonF face;
    for (int i = 0; i < 8; ++i) {
        const qreal angle = (i * 45 + 22.5) * std::numbers::pi / 180;
        face << c + QPointF(std::cos(angle), std::sin(angle)) * 11.6;
    }
    QRadialGradient red(c - QPointF(3, 4), 16);
    red.setColorAt(0.0, QColor(248, 92, 76));
    red.setColorAt(1.0, QColor(188, 24, 18));
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawPolygon(face);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(11, 11, 10, 10), 1.5, 1.5);
}

void PaintHelp(QPainter &p)
{
    const QPointF c(16, 16);
    QRadialGradient fill(c - QPointF(4, 5), 18);
    fill.setColorAt(0.0, QColor(96, 172, 240));
    fill.setColorAt(1.0, QColor(28, 98, 184));
    p.setPen(OutlinePen(1.3));
    p.setBrush(fill);
    p.drawEllipse(c, 13.5, 13.5);
    p.setPen(QPen(QColor(255, 255, 255, 210), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 11.8, 11.8);

    QPainterPath mark;
    mark.moveTo(11.5, 12.5);
    mark.cubicTo(11.5, 7.5, 20.5, 7.5, 20.5, 12.5);
    mark.cubicTo(20.5, 15.5, 16, 15.5, 16, 19);
    p.setPen(QPen(Qt::white, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(mark);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 23.5), 1.9, 1.9);
}

void PaintHome(QPainter &p)
{
    // Walls.
    QLinearGradient wall(0, 14, 0, 29);
    wall.setColorAt(0.0, Paper);
    wall.setColorAt(1.0, QColor(220, 228, 222));
    p.setPen(OutlinePen(1.3));
    p.setBrush(wall);
    p.drawRect(QRectF(7.5, 14.5, 17, 14));
    // Chimney, then the roof over it.
    p.setBrush(QColor(170, 70, 40));
    p.drawRect(QRectF(20.5, 5.5, 3, 7));
    const QPainterPath roof = ClosedPath({{2.5, 16.5}, {16, 3.5}, {29.5, 16.5}, {26.5, 17.5}, {16, 7.5}, {5.5, 17.5}});
    QLinearGradient tiles(0, 3, 0, 17);
    tiles.setColorAt(0.0, QColor(250, 170, 64));
    tiles.setColorAt(1.0, QColor(214, 110, 18));
    p.setBrush(tiles);
    p.drawPath(roof);
    // Door and window.
    p.setBrush(QColor(31, 95, 58));
    p.drawRoundedRect(QRectF(13.5, 20.5, 5, 8), 1, 1);
    p.setBrush(QColor(140, 200, 236));
    p.drawRect(QRectF(19.5, 17.5, 3.5, 3.5));
}

void Paint(QPainter &p, ToolbarButton which)
{
    switch (which) {
    case ToolbarButton::Add: PaintAdd(p); break;
    case ToolbarButton::Adds: PaintAdds(p); break;
    case ToolbarButton::Remove: PaintRemove(p); break;
    case ToolbarButton::Removes: PaintRemoves(p); break;
    case ToolbarButton::Check: PaintCheck(p); break;
    case ToolbarButton::Setting: PaintSetting(p); break;
    case ToolbarButton::Convert: PaintConvert(p); break;
    case ToolbarButton::Stop: PaintStop(p); break;
    case ToolbarButton::Help: PaintHelp(p); break;
    case ToolbarButton::Home: PaintHome(p); break;
    }
}

} // namespace

QImage ToolbarPicture(ToolbarButton which, qreal devicePixelRatio)
{
    if (!(devicePixelRatio > 0))
        devicePixelRatio = 1.0;
    const QSize size = QSize(32, 32) * devicePixelRatio;

    QImage drawing(size, QImage::Format_ARGB32_Premultiplied);
    drawing.fill(Qt::transparent);
    {
        QPainter painter(&drawing);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.scale(devicePixelRatio, devicePixelRatio);
        Paint(painter, which);
    }

    // A soft shadow below the drawing lifts it off the dark green.
    QImage shadow = drawing;
    {
        QPainter painter(&shadow);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(shadow.rect(), QColor(0, 0, 0, 120));
    }
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        painter.drawImage(QPointF(0, devicePixelRatio), shadow);
        painter.setOpacity(0.5);
        painter.drawImage(QPointF(devicePixelRatio, 2 * devicePixelRatio), shadow);
        painter.setOpacity(1.0);
        painter.drawImage(QPointF(0, 0), drawing);
    }
    picture.setDevicePixelRatio(devicePixelRatio);
    return picture;
}

} // namespace folivex::artwork
