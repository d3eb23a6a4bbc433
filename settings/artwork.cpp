#include "settings/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace folivex::settings {

QImage SettingsBackground()
{
    QImage image(4, 33, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient shade(0, 0, 0, image.height());
    shade.setColorAt(0.0, QColor(58, 200, 170));
    shade.setColorAt(0.35, QColor(13, 172, 140));
    shade.setColorAt(1.0, QColor(8, 146, 118));
    painter.fillRect(image.rect(), shade);
    // A one-pixel highlight along the top edge.
    painter.setPen(QColor(120, 222, 200));
    painter.drawLine(0, 0, image.width() - 1, 0);
    return image;
}

QPixmap FolderPicture(qreal devicePixelRatio)
{
    const int side = 24;
    QPixmap picture(QSize(side, side) * devicePixelRatio);
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(Qt::transparent);

    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor outline(150, 78, 12);

    // The back of the folder with its tab on the left.
    QPainterPath back;
    back.moveTo(2.5, 6.5);
    back.quadTo(2.5, 4.5, 4.5, 4.5);
    back.lineTo(9.0, 4.5);
    back.lineTo(11.0, 6.5);
    back.lineTo(19.5, 6.5);
    back.quadTo(21.5, 6.5, 21.5, 8.5);
    back.lineTo(21.5, 19.5);
    back.lineTo(2.5, 19.5);
    back.closeSubpath();
    QLinearGradient backShade(0, 4, 0, 20);
    backShade.setColorAt(0.0, QColor(236, 150, 50));
    backShade.setColorAt(1.0, QColor(204, 112, 24));
    painter.setPen(QPen(outline, 1.0));
    painter.setBrush(backShade);
    painter.drawPath(back);

    // A sheet of paper peeking out.
    painter.setPen(QPen(QColor(170, 170, 170), 1.0));
    painter.setBrush(QColor(252, 252, 248));
    painter.drawRect(QRectF(5.5, 8.5, 13.0, 6.0));

    // The front flap, slanted, brighter.
    QPainterPath front;
    front.moveTo(4.5, 10.5);
    front.lineTo(22.5, 10.5);
    front.lineTo(20.5, 19.5);
    front.lineTo(2.5, 19.5);
    front.closeSubpath();
    QLinearGradient frontShade(0, 10, 0, 20);
    frontShade.setColorAt(0.0, QColor(255, 206, 102));
    frontShade.setColorAt(1.0, QColor(246, 156, 34));
    painter.setPen(QPen(outline, 1.0));
    painter.setBrush(frontShade);
    painter.drawPath(front);

    // Light along the flap's upper edge.
    painter.setPen(QPen(QColor(255, 236, 180), 1.0));
    painter.drawLine(QPointF(5.3, 11.6), QPointF(21.2, 11.6));
    return picture;
}

} // namespace folivex::settings
