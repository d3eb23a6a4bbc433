#include "settings/artwork.h"

#include "artwork/folder.h"

#include <QLinearGradient>
#include <QPainter>

namespace folivex::settings {

namespace {

// The folder of the folder button: a thin brown outline, the flap's foot
// tucked in on the right.
const QColor FolderBrown(150, 78, 12);
const artwork::FolderLook ButtonFolder = {
    .outline = QPen(FolderBrown, 1.0),
    .backTop = QColor(236, 150, 50),
    .backBottom = QColor(204, 112, 24),
    .sheetEdge = QPen(QColor(170, 170, 170), 1.0),
    .frontTop = QColor(255, 206, 102),
    .frontBottom = QColor(246, 156, 34),
    .flapLight = QColor(255, 236, 180),
    .tab = 2,
    .tabStart = 6.5 / 19,
    .tabEnd = 8.5 / 19,
    .flapTop = 0.4,
    .flapInset = 2,
    .flapOverhang = 1,
    .flapFootInset = 1,
    .shadeOverhang = 0.5,
    .lightInset = 2.8,
    .lightShort = 0.3,
    .lightDrop = 1.1,
};

} // namespace

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
    artwork::PaintFolder(painter, QRectF(2.5, 4.5, side - 5, side - 9), ButtonFolder);
    return picture;
}

} // namespace folivex::settings
