// renderSheetRows: a worksheet's picture with its columns and rows at their
// model sizes at any pixel size, so that the used cells fill their area and
// drawing objects sit on the cells they are anchored to.
//
// Calc's tile rendering would put the cells on whole pixels of the picture's
// scale (see AxisResampling). Here Calc draws the area at a scale of whole
// twips a pixel, the coarsest at least as fine as the picture, band by band
// (see BandBytes), and every band is area-averaged down with the cells'
// edges moved to where the model has them. Drawing objects go
// along with their cells: LibreOffice is started with Calc's option that
// moves each object onto its anchor cell as Calc draws it (see
// LibreOffice's constructor).
// Private to the engine. Throws what `lines` and `paint` throw.
#pragma once

#include "office/engine/axisresampling.h"
#include "office/engine/engine.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

namespace folivex::office {

// Draws `area` (twips, of the sheet) into a BGRA canvas of width x height,
// as LibreOfficeKit's paintPartTile does.
using SheetPainter = std::function<void(unsigned char *canvas, int width, int height, const TwipRect &area)>;

// The bytes of one band Calc draws: the cells it draws at once cost memory
// (their borders' primitives), so bands are small; a band is made longer
// when its margins (rows drawn above and below it and left out) would be
// too large a share of it, up to MostBandBytes.
constexpr size_t BandBytes = size_t(4) << 20;
constexpr size_t MostBandBytes = size_t(32) << 20;

struct SheetLayout;

// What renderSheetRows keeps from one call to the next: a page is asked for
// in many bands. The buffers Calc draws into (buffers of megabytes freed and
// made again for each band would be mapped and faulted in again each time),
// and the picture's mapping, used again while the calls are for the same
// picture.
struct SheetScratch {
    SheetScratch();
    ~SheetScratch();
    std::vector<unsigned char> source, tile;
    std::unique_ptr<SheetLayout> layout;
};

// Renders `area` of a sheet stretched to width x height, only its rows
// [top, top + rows), into `canvas` (width x rows, BGRA premultiplied, top
// row first). `columns` and `rows` give the sheet's column widths and row
// heights (see AxisResampling::Lines); `sheet` tells one sheet of the
// caller's from another. `scratch` is the caller's, reused: what it keeps
// stays valid while the sheet's drawing does not change.
void renderSheetRows(const SheetPainter &paint, const AxisResampling::Lines &columns,
                     const AxisResampling::Lines &rowLines, unsigned char *canvas, int width, int height,
                     const TwipRect &area, int top, int rows, int sheet, SheetScratch &scratch);

} // namespace folivex::office
