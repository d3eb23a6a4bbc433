#include "office/models/workbook.h"

#include "office/models/cellrange.h"
#include "office/models/workbookstate.h"
#include "office/models/worksheet.h"
#include "office/models/worksheets.h"

namespace folivex::office {

Workbook::Workbook(std::shared_ptr<EngineDocument> document, HostContext &context)
    : state_(std::make_shared<WorkbookState>(std::move(document), context))
{
    property("Worksheets", [this](const HostArgs &args) -> HostValue { return worksheets(args); });
    property("ActiveSheet", [this](const HostArgs &) -> HostValue { return activeSheet(); });
}

bool Workbook::closed() const
{
    return state_->closed();
}

HostValue Workbook::worksheets(const HostArgs &args)
{
    auto all = std::make_shared<Worksheets>(state_);
    if (args.empty())
        return all;
    return all->item(intArgument(args, 0, "Worksheets"));
}

std::shared_ptr<Worksheet> Workbook::activeSheet()
{
    return std::make_shared<Worksheet>(state_, state_->activeSheet());
}

std::shared_ptr<CellRange> Workbook::selection()
{
    std::shared_ptr<CellRange> current = state_->selection();
    if (!current) {
        const int32_t sheet = state_->activeSheet();
        current = std::make_shared<CellRange>(state_, sheet, 0, 0, 0, 0);
        state_->select(sheet, current);
    }
    return current;
}

} // namespace folivex::office
