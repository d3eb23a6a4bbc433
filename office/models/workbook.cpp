#include "office/models/workbook.h"

#include "core/error.h"
#include "office/models/cellrange.h"
#include "office/models/worksheet.h"
#include "office/models/worksheets.h"

namespace folivex::office {

Workbook::Workbook(std::shared_ptr<EngineDocument> document, HostContext &context)
    : document_(std::move(document)), context_(context)
{
    const int32_t sheets = document_->sheetCount();
    for (int32_t i = 0; i < sheets; ++i)
        if (!document_->isChartSheet(i))
            worksheets_.push_back(i);
    active_ = document_->currentPart();

    property("Worksheets", [this](const HostArgs &args) -> HostValue {
        auto all = std::make_shared<Worksheets>(std::static_pointer_cast<Workbook>(shared_from_this()));
        if (args.empty())
            return all;
        return all->item(intArgument(args, 0, "Worksheets"));
    });
    property("ActiveSheet", [this](const HostArgs &) -> HostValue { return activeSheet(); });
}

std::shared_ptr<Worksheet> Workbook::activeSheet()
{
    return std::make_shared<Worksheet>(std::static_pointer_cast<Workbook>(shared_from_this()), active_);
}

void Workbook::activate(int32_t sheet)
{
    if (sheet != active_) {
        document_->setCurrentPart(sheet);
        active_ = sheet;
        selection_.reset();
    }
}

std::shared_ptr<CellRange> Workbook::selection()
{
    if (!selection_ || selection_->sheet() != active_)
        selection_ = std::make_shared<CellRange>(std::static_pointer_cast<Workbook>(shared_from_this()), active_, 0, 0, 0, 0);
    return selection_;
}

void Workbook::select(std::shared_ptr<CellRange> range)
{
    activate(range->sheet());
    selection_ = std::move(range);
}

} // namespace folivex::office
