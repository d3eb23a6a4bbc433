#include "resizegrip.h"

#include <QMouseEvent>
#include <QWindow>

namespace folivex::app {

namespace {

Qt::CursorShape cursorFor(Qt::Edges edges)
{
    const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
    const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
    if (horizontal && vertical) {
        const bool falling = edges == (Qt::TopEdge | Qt::LeftEdge) || edges == (Qt::BottomEdge | Qt::RightEdge);
        return falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
    }
    return horizontal ? Qt::SizeHorCursor : Qt::SizeVerCursor;
}

} // namespace

ResizeGrip::ResizeGrip(Qt::Edges edges, QWidget *parent) : QWidget(parent), edges_(edges)
{
    // It paints nothing: what lies under the strip shows through.
    setCursor(cursorFor(edges));
    StartSystemResize = [this](Qt::Edges from) {
        if (QWindow *handle = window()->windowHandle())
            handle->startSystemResize(from);
    };
}

void ResizeGrip::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    if (StartSystemResize)
        StartSystemResize(edges_);
}

} // namespace folivex::app
