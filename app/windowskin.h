// The skin of the main window: the rounded window region, the title strip
// built from its source picture, the caption buttons' pictures, the caption
// text, and the recoloured list header and pictured list background.
#pragma once

#include <QColor>
#include <QImage>
#include <QRegion>
#include <QString>

class QTreeView;

namespace folivex::controls {
class TImgBtn;
}

namespace folivex::app {

inline constexpr int kTitleStripHeight = 33;
inline constexpr QColor kHeaderColour{220, 230, 244};

// The window's region: a rounded rectangle from (0, 0) to (width + 1,
// height + 1) with a 6 x 6 corner ellipse, its right and bottom edges left
// out as a window region leaves them out: it covers the window's pixels
// less three at each corner, alike at all four.
QRegion RoundedWindowRegion(int width, int height);

// The title strip for a window `width` wide: the source's left `edge`
// columns, its column at x = edge stretched over the middle, its right
// `edge` columns, `height` rows of the source, in a strip 33 high.
QImage BuildTitleStrip(const QImage &source, int width, int edge = 200, int height = 35);

// Gives `button` its pictures from the caption button sheet: the cell at
// (x, y) becomes Pic and the shown picture, the one below it PicUp, the one
// below that PicDown; each cell's lower-left colour is see-through.
void LoadCaptionButtonPictures(controls::TImgBtn &button, const QImage &sheet, int cellWidth, int cellHeight, int x,
                               int y);

// Draws the icon at (10, 5), 16 x 16, and the caption in white from x = 34
// up to x = `right`, one line, vertically centred, clipped: bold 12 point
// when the window is created (right = 234), the canvas's default 8 point
// regular after a resize (right = 134).
void DrawIconAndCaption(QImage &strip, const QImage &icon, const QString &caption, bool atCreation);

// Recolours the list's header: what the header paints in the button-face
// colour shows `colour` inside a black outline; captions and dividers stay.
void SkinListHeader(QTreeView &list, const QColor &colour);

// Stretches `background` over every repainted area of the list, rows drawn
// over it without a background of their own; the rows' tick boxes are
// painted white in a dark frame, so they read over the picture.
void SkinListBackground(QTreeView &list, const QImage &background);

} // namespace folivex::app
