// renderSheetRows: a worksheet's picture with its columns and rows at their
// model sizes at any pixel size, so that the used cells fill their area and
// drawing objects sit on the cells they are anchored to.
//
// Calc's tile rendering would put the cells on whole pixels of the picture's
// scale (see AxisResampling). Here Calc draws the area at a scale of whole
// twips a pixel and at least twice as fine as the picture, band by band
// (each band at most BandBytes), and every band is area-averaged down with
// the cells' edges moved to where the model has them. Drawing objects go
// along with their cells: LibreOffice is started with Calc's option that
// moves each object onto its anchor cell as Calc draws it (see
// LibreOffice's constructor).
// Private to the engine. Throws what `lines` and `paint` throw.
#pragma once

#include "office/engine/axisresampling.h"
#include "office/engine/engine.h"

#include <cstddef>
#include <functional>

namespace folivex::office {

// Draws `area` (twips, of the sheet) into a BGRA canvas of width x height,
// as LibreOfficeKit's paintPartTile does.
using SheetPainter = std::function<void(unsigned char *canvas, int width, int height, const TwipRect &area)>;

// The most bytes of one band Calc draws.
constexpr size_t BandBytes = size_t(16) << 20;

// Renders `area` of a sheet stretched to width x height, only its rows
// [top, top + rows), into `canvas` (width x rows, BGRA premultiplied, top
// row first). `columns` and `rows` give the sheet's column widths and row
// heights (see AxisResampling::Lines).
void renderSheetRows(const SheetPainter &paint, const AxisResampling::Lines &columns,
                     const AxisResampling::Lines &rowLines, unsigned char *canvas, int width, int height,
                     const TwipRect &area, int top, int rows);

} // namespace folivex::office
