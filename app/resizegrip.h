// ResizeGrip: a thin, invisible strip along one edge or corner of the
// frameless main window. It shows the matching sizing pointer and, when the
// left button is pressed on it, asks the window system to resize the window
// from that edge (QWindow::startSystemResize): the window manager then sizes
// the window with the mouse. Without a window manager the request is
// refused and nothing happens.
#pragma once

#include <QWidget>

#include <functional>

namespace folivex::app {

class ResizeGrip : public QWidget {
    Q_OBJECT

public:
    ResizeGrip(Qt::Edges edges, QWidget *parent);

    Qt::Edges edges() const { return edges_; }

    // Asks for the resize from `edges`; tests replace it to see the request.
    std::function<void(Qt::Edges edges)> StartSystemResize;

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    Qt::Edges edges_;
};

} // namespace folivex::app
