#include "office/models/cellrange.h"

#include "office/models/workbookstate.h"
#include "office/server/hostcontext.h"

namespace folivex::office {

namespace {

std::string columnName(int32_t column)
{
    std::string name;
    for (int32_t c = column + 1; c > 0; c = (c - 1) / 26)
        name.insert(name.begin(), char('A' + (c - 1) % 26));
    return name;
}

} // namespace

CellRange::CellRange(std::shared_ptr<WorkbookState> workbook, int32_t sheet, int32_t firstColumn, int32_t firstRow,
                     int32_t lastColumn, int32_t lastRow)
    : CellRange(workbook, sheet, CellBlock{firstColumn, firstRow, lastColumn, lastRow},
                workbook->document()->cellArea(sheet, CellBlock{firstColumn, firstRow, lastColumn, lastRow}))
{
}

CellRange::CellRange(std::shared_ptr<WorkbookState> workbook, int32_t sheet, const CellBlock &cells,
                     const ModelRect &area)
    : workbook_(std::move(workbook)), sheet_(sheet), firstColumn_(cells.firstColumn), firstRow_(cells.firstRow),
      lastColumn_(cells.lastColumn), lastRow_(cells.lastRow)
{
    x_ = area.x;
    y_ = area.y;
    width_ = area.width;
    height_ = area.height;

    method("Select", [this](const HostArgs &) -> HostValue {
        workbook_->select(sheet_, std::static_pointer_cast<CellRange>(shared_from_this()));
        return {};
    });
    method("Copy", [this](const HostArgs &) -> HostValue {
        TwipRect area{twipsFromHundredthsMm(x_), twipsFromHundredthsMm(y_), twipsFromHundredthsMm(width_),
                      twipsFromHundredthsMm(height_)};
        workbook_->context().copyPicture(PagePicture{workbook_->document(), sheet_, area});
        return {};
    });
    property("Width", [this](const HostArgs &) -> HostValue { return pointsFromHundredthsMm(width_); });
    property("Height", [this](const HostArgs &) -> HostValue { return pointsFromHundredthsMm(height_); });
    property("Row", [this](const HostArgs &) -> HostValue { return firstRow_ + 1; });
    property("Column", [this](const HostArgs &) -> HostValue { return firstColumn_ + 1; });
    property("Address", [this](const HostArgs &) -> HostValue {
        std::string a = "$" + columnName(firstColumn_) + "$" + std::to_string(firstRow_ + 1);
        if (lastColumn_ != firstColumn_ || lastRow_ != firstRow_)
            a += ":$" + columnName(lastColumn_) + "$" + std::to_string(lastRow_ + 1);
        return a;
    });
}

} // namespace folivex::office
