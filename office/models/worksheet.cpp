#include "office/models/worksheet.h"

#include "office/models/cellrange.h"
#include "office/models/pagesetup.h"
#include "office/models/workbookstate.h"

namespace folivex::office {

Worksheet::Worksheet(std::shared_ptr<WorkbookState> workbook, int32_t sheet) : workbook_(std::move(workbook)), sheet_(sheet)
{
    method("Activate", [this](const HostArgs &) -> HostValue {
        workbook_->activate(sheet_);
        return {};
    });
    property("UsedRange", [this](const HostArgs &) -> HostValue {
        CellBlock used = workbook_->document()->usedCells(sheet_);
        return std::make_shared<CellRange>(workbook_, sheet_, used.firstColumn, used.firstRow, used.lastColumn,
                                           used.lastRow);
    });
    property("PageSetup", [this](const HostArgs &) -> HostValue {
        return std::make_shared<PageSetup>(PageSetup::ofPageStyle(workbook_->document()->sheetPageGeometry(sheet_)));
    });
    property("Name", [this](const HostArgs &) -> HostValue { return workbook_->document()->sheetName(sheet_); });
    property("Index", [this](const HostArgs &) -> HostValue { return sheet_ + 1; });
}

} // namespace folivex::office
