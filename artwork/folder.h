// The folder picture: an orange folder with its tab on the left, a sheet of
// paper peeking out and the front flap, drawn into a box of any size.
//
// The toolbar's Add folder picture and the settings dialog's folder button
// both draw it; each brings its own look (outline, colours and the few
// proportions in which the two differ), the shape follows from the box.
#pragma once

#include <QColor>
#include <QPen>
#include <QRectF>

class QPainter;

namespace folivex::artwork {

// What the two folders do not share. Lengths are in the painter's units;
// fractions are of the box's width or height.
struct FolderLook {
    QPen outline;                 // the back's and the flap's edge
    QColor backTop, backBottom;   // the back's vertical shade
    QPen sheetEdge;               // the edge of the sheet of paper (its face is paper white)
    QColor frontTop, frontBottom; // the flap's vertical shade
    QColor flapLight;             // the line of light along the flap's upper edge
    qreal tab;                    // the tab's height, also the radius of the back's top-left corner
    qreal tabStart;               // where the tab's top ends: a fraction of the width from the left
    qreal tabEnd;                 // where the tab's slope meets the back's top, likewise
    qreal flapTop;                // the flap's top edge: a fraction of the height from the top
    qreal flapInset;              // the flap's top-left corner, right of the box's left
    qreal flapOverhang;           // its top-right corner, right of the box's right
    qreal flapFootInset;          // its bottom-right corner, left of the box's right
    qreal shadeOverhang;          // how far each shade reaches past its top and bottom edges
    qreal lightInset;             // the light's left end, right of the box's left
    qreal lightShort;             // its right end, left of the box's right
    qreal lightDrop;              // the light below the flap's top edge
};

// Draws the folder with the back filling `box` (the flap may stand out
// past its right edge by the look's overhang), antialiased if the painter
// is. Leaves the painter's pen and brush changed. Never throws.
void PaintFolder(QPainter &painter, const QRectF &box, const FolderLook &look);

} // namespace folivex::artwork
