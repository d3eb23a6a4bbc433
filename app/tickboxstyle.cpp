#include "tickboxstyle.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOptionViewItem>

#include <algorithm>

namespace folivex::app {

namespace {

const QColor kBoxFill(255, 255, 255);
const QColor kBoxInk(40, 40, 40);

void paintTickBox(QPainter &painter, const QRect &indicator, bool ticked)
{
    // A square in the middle of the indicator's place (where a click
    // toggles the tick), a pixel short of it on every side so the boxes of
    // neighbouring rows stay apart.
    const int side = std::max(std::min(indicator.width(), indicator.height()) - 2, 7);
    QRect box(0, 0, side, side);
    box.moveCenter(indicator.center());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(box, kBoxFill);
    painter.setPen(QPen(kBoxInk, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    if (ticked) {
        // The tick: a short stroke down to the foot, a long one up.
        const qreal margin = side * 0.22;
        const QRectF inner = QRectF(box).adjusted(margin, margin, -margin, -margin);
        QPainterPath tick;
        tick.moveTo(inner.left(), inner.top() + inner.height() * 0.55);
        tick.lineTo(inner.left() + inner.width() * 0.38, inner.bottom());
        tick.lineTo(inner.right(), inner.top());
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(kBoxInk, std::max(2.0, side / 6.0), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawPath(tick);
    }
    painter.restore();
}

} // namespace

// The proxy owns its base: a fresh instance of the application's style.
TickBoxStyle::TickBoxStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

void TickBoxStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                 const QWidget *widget) const
{
    if (element != PE_IndicatorItemViewItemCheck) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    paintTickBox(*painter, option->rect, !(option->state & State_Off));
}

} // namespace folivex::app
