// The pictures of the skinned main window, painted at run time. Every
// function returns a new image of exactly the size named; they never throw.
#pragma once

#include <QColor>
#include <QImage>

namespace folivex::artwork {

// 799 x 37: the title strip source. A glossy dark strip (grey over black,
// an orange line along its foot) with the three caption buttons drawn near
// its right end. Only columns 0..199, 200 and 599..798 and rows 0..34 are
// meant to be used: the strip's look does not change across columns
// 150..649, so column 200 can be stretched over any width. The caption
// buttons are drawn in their normal look with their cells' top-left
// corners at (712, 3), (737, 3) and (762, 3), where the window's caption
// buttons stand over them when the strip is 724 wide.
QImage TitleStripSource();

// 101 x 93: the caption button sheet. Rows at y = 0, 31, 62: normal,
// pointer over, pressed; cells of 25 x 31 at x = 0, 25, 50 and 76:
// minimise, maximise, close, restore. In every cell the area outside the
// button, the lower-left corner among it, is CaptionSheetKey(), a colour no
// button pixel has; column 75 is that colour too. Antialiased button edges
// are blended with the title strip's colours of the rows the cell covers
// when it stands at top 3, so no fringe shows over the strip.
QImage CaptionButtonSheet();
// The colour that marks the see-through area of the caption button sheet.
QColor CaptionSheetKey();

// 19 x 16: the list background, flat pale blue RGB 172, 212, 234 (flat,
// since it is stretched over each repainted area on its own).
QImage ListBackground();

// 4 x 15: the left edge, four vertical lines from the outside in:
// RGB (26, 96, 166), (74, 200, 250), (16, 141, 207), (65, 153, 198).
QImage LeftEdge();
// 4 x 15: the right edge, the same lines mirrored (the outside is column 3).
QImage RightEdge();

// 700 x 38: the status strip, a green gradient darkening to almost black at
// the right, with a light line along its top.
QImage StatusStrip();

// 700 x 73: the toolbar background, the same green gradient with a gloss
// over its upper half.
QImage ToolbarBackground();

} // namespace folivex::artwork
