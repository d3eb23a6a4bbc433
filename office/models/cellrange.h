// CellRange: a rectangle of cells of one sheet. Members: Select, Copy (its
// picture on the clipboard), Width and Height (points), Row and Column (of
// its first cell, 1-based), Address ("$B$3:$D$7"). A range's area is its
// cells' unless it is made with an area of its own (a worksheet's UsedRange,
// which covers the sheet's drawings too).
#pragma once

#include "office/server/hostobject.h"
#include "office/engine/engine.h"

#include <memory>

namespace folivex::office {

class WorkbookState;

class CellRange : public HostObject {
public:
    // Reads the block's position and size; throws as the engine does.
    CellRange(std::shared_ptr<WorkbookState> workbook, int32_t sheet, int32_t firstColumn, int32_t firstRow,
              int32_t lastColumn, int32_t lastRow);
    // The block with `area` (1/100 mm) as its position and size: what its
    // Width, Height and picture cover, which may reach past its cells.
    CellRange(std::shared_ptr<WorkbookState> workbook, int32_t sheet, const CellBlock &cells, const ModelRect &area);
    const char *className() const override { return "Range"; }
    int32_t sheet() const { return sheet_; }

private:
    std::shared_ptr<WorkbookState> workbook_;
    int32_t sheet_;
    int32_t firstColumn_, firstRow_, lastColumn_, lastRow_;
    // Position and size in 1/100 mm.
    double x_ = 0, y_ = 0, width_ = 0, height_ = 0;
};

} // namespace folivex::office
