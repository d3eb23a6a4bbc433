// Drawing shared by the title strip source and the caption button sheet:
// the strip's background and one caption button. Internal to the artwork
// library.
#pragma once

#include <QPainter>

namespace folivex::artwork {

enum class CaptionGlyph { Minimise, Maximise, Close, Restore };
enum class CaptionLook { Normal, PointerOver, Pressed };

// The title strip's background over `rect`, whose rows are strip rows
// (y = 0 is the strip's top); the same colour in every column.
void PaintTitleBackground(QPainter &painter, const QRect &rect);

// One caption button in a 25 x 31 cell whose top-left corner is at the
// painter's origin: a rounded glass key with its glyph.
void PaintCaptionButton(QPainter &painter, CaptionGlyph glyph, CaptionLook look);

// The outline of the key within its cell: what a button covers.
QPainterPath CaptionKeyShape();

} // namespace folivex::artwork
