#include "office/models/worksheet.h"

#include "office/models/cellrange.h"
#include "office/models/pagesetup.h"
#include "office/models/workbookstate.h"

#include <optional>

namespace folivex::office {

Worksheet::Worksheet(std::shared_ptr<WorkbookState> workbook, int32_t sheet)
    : workbook_(std::move(workbook)), sheet_(sheet)
{
    method("Activate", [this](const HostArgs &) -> HostValue {
        workbook_->activate(sheet_);
        return {};
    });
    property("UsedRange", [this](const HostArgs &) -> HostValue {
        const EngineDocument &document = *workbook_->document();
        const CellBlock used = document.usedCells(sheet_);
        // The sheet's picture is the whole sheet: the used cells and every
        // drawing object, so a chart beside the data or a text box below it
        // is not cut off. The area is the smallest rectangle holding both:
        // its top-left stays at the used cells' unless an object reaches
        // further up or left, and a sheet whose objects lie inside its used
        // cells keeps exactly their area (and so its picture). On a sheet
        // with drawings and no cells the used range is A1, so the picture
        // runs from the sheet's corner to its objects, as a print of the
        // sheet places them.
        ModelRect area = document.cellArea(sheet_, used);
        if (const std::optional<ModelRect> drawings = document.drawingBounds(sheet_))
            area = unitedRect(area, *drawings);
        return std::make_shared<CellRange>(workbook_, sheet_, used, area);
    });
    property("PageSetup", [this](const HostArgs &) -> HostValue {
        return std::make_shared<PageSetup>(PageSetup::ofPageStyle(workbook_->document()->sheetPageGeometry(sheet_)));
    });
    property("Name", [this](const HostArgs &) -> HostValue { return workbook_->document()->sheetName(sheet_); });
    property("Index", [this](const HostArgs &) -> HostValue { return sheet_ + 1; });
}

} // namespace folivex::office
