// The settings dialog's pictures, painted at run time.
#pragma once

#include <QImage>
#include <QPixmap>

namespace folivex::settings {

// The 4 x 33 background bitmap in teal (about RGB 13, 172, 140): a vertical
// shade, lighter at the top, that the dialog stretches over its client area.
QImage SettingsBackground();

// The folder button's 24 x 24 picture: an orange folder with its tab, drawn
// for `devicePixelRatio` device pixels per pixel.
QPixmap FolderPicture(qreal devicePixelRatio = 1.0);

} // namespace folivex::settings
