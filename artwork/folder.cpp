#include "artwork/folder.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace folivex::artwork {

namespace {

// The paper of the sheet peeking out, as the toolbar's pages.
const QColor SheetPaper(252, 252, 248);
// The radius of the back's top-right corner.
constexpr qreal kBackCorner = 2;

} // namespace

void PaintFolder(QPainter &p, const QRectF &r, const FolderLook &look)
{
    // The back, with its tab on the left.
    QPainterPath back;
    back.moveTo(r.left(), r.top() + look.tab);
    back.quadTo(r.left(), r.top(), r.left() + look.tab, r.top());
    back.lineTo(r.left() + r.width() * look.tabStart, r.top());
    back.lineTo(r.left() + r.width() * look.tabEnd, r.top() + look.tab);
    back.lineTo(r.right() - kBackCorner, r.top() + look.tab);
    back.quadTo(r.right(), r.top() + look.tab, r.right(), r.top() + look.tab + kBackCorner);
    back.lineTo(r.right(), r.bottom());
    back.lineTo(r.left(), r.bottom());
    back.closeSubpath();
    QLinearGradient backShade(0, r.top() - look.shadeOverhang, 0, r.bottom() + look.shadeOverhang);
    backShade.setColorAt(0.0, look.backTop);
    backShade.setColorAt(1.0, look.backBottom);
    p.setPen(look.outline);
    p.setBrush(backShade);
    p.drawPath(back);

    // A sheet of paper peeking out.
    p.setPen(look.sheetEdge);
    p.setBrush(SheetPaper);
    p.drawRect(QRectF(r.left() + 3, r.top() + look.tab + kBackCorner, r.width() - 6, r.height() * 0.4));

    // The front flap, slanted.
    const qreal top = r.top() + r.height() * look.flapTop;
    QPainterPath front;
    front.moveTo(r.left() + look.flapInset, top);
    front.lineTo(r.right() + look.flapOverhang, top);
    front.lineTo(r.right() - look.flapFootInset, r.bottom());
    front.lineTo(r.left(), r.bottom());
    front.closeSubpath();
    QLinearGradient frontShade(0, top - look.shadeOverhang, 0, r.bottom() + look.shadeOverhang);
    frontShade.setColorAt(0.0, look.frontTop);
    frontShade.setColorAt(1.0, look.frontBottom);
    p.setPen(look.outline);
    p.setBrush(frontShade);
    p.drawPath(front);

    // Light along the flap's upper edge.
    p.setPen(QPen(look.flapLight, 1.0));
    p.drawLine(QPointF(r.left() + look.lightInset, top + look.lightDrop),
               QPointF(r.right() - look.lightShort, top + look.lightDrop));
}

} // namespace folivex::artwork
