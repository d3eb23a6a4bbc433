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
    // The file name with its slash stays whole when it fits on its own; the
    // middle of what comes before it gives way.
    const int slash = full.lastIndexOf(QLatin1Char('/'));
    if (slash >= 0) {
        const QString name = full.mid(slash);
        const int room = width - metrics.horizontalAdvance(name);
        if (room >= 0) {
            const QString shown = metrics.elidedText(full.left(slash), Qt::ElideMiddle, room) + name;
            if (metrics.horizontalAdvance(shown) <= width)
                return shown;
        }
    }
    return metrics.elidedText(full, Qt::ElideMiddle, width);
}

void StatusLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, palette(),
                          isEnabled(), ShownText(), foregroundRole());
}

} // namespace folivex::app
