#include "office/models/workbookstate.h"

namespace folivex::office {

WorkbookState::WorkbookState(std::shared_ptr<EngineDocument> document, HostContext &context)
    : document_(std::move(document)), context_(context)
{
    const int32_t sheets = document_->sheetCount();
    for (int32_t i = 0; i < sheets; ++i)
        if (!document_->isChartSheet(i))
            worksheets_.push_back(i);
    active_ = document_->currentPart();
}

void WorkbookState::activate(int32_t sheet)
{
    if (sheet != active_) {
        document_->setCurrentPart(sheet);
        active_ = sheet;
        selection_.reset();
    }
}

std::shared_ptr<CellRange> WorkbookState::selection() const
{
    return selection_ && selectionSheet_ == active_ ? selection_ : nullptr;
}

void WorkbookState::select(int32_t sheet, std::shared_ptr<CellRange> range)
{
    activate(sheet);
    selection_ = std::move(range);
    selectionSheet_ = sheet;
}

} // namespace folivex::office
