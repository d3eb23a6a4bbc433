#include "statuslabel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

namespace folivex::app {

QString StatusLabel::ShownText() const
{
    const QString full = text();
    const QFontMetrics metrics = fontMetrics();
    const int width = contentsRect().width();
    if (metrics.horizontalAdvance(full) <= width)
        return full;
    // What comes before the path ("Converting  ") stays whole; the path
    // loses its middle, the file name with its slash kept whole when it
    // fits on its own.
    const int pathStart = full.indexOf(QLatin1Char('/'));
    if (pathStart < 0)
        return metrics.elidedText(full, Qt::ElideMiddle, width);
    const QString lead = full.left(pathStart);
    const QString path = full.mid(pathStart);
    const int room = width - metrics.horizontalAdvance(lead);
    if (room <= 0)
        return metrics.elidedText(full, Qt::ElideRight, width);
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    const QString name = path.mid(slash);
    const int folderRoom = room - metrics.horizontalAdvance(name);
    if (slash > 0 && folderRoom >= 0) {
        const QString shown = lead + metrics.elidedText(path.left(slash), Qt::ElideMiddle, folderRoom) + name;
        if (metrics.horizontalAdvance(shown) <= width)
            return shown;
    }
    return lead + metrics.elidedText(path, Qt::ElideMiddle, room);
}

void StatusLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, palette(),
                          isEnabled(), ShownText(), foregroundRole());
}

} // namespace folivex::app
