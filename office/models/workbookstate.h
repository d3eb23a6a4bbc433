// WorkbookState: what a workbook and its sheets and ranges share: the
// document, its worksheets, the active sheet and the selection.
//
// Worksheets are Calc's sheets less the chart sheets (as the engine tells
// them apart), told apart once when the workbook is opened.
#pragma once

#include "office/engine/engine.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace folivex::office {

class CellRange;
class HostContext;

class WorkbookState {
public:
    // Reads the sheets; throws as the engine does.
    WorkbookState(std::shared_ptr<EngineDocument> document, HostContext &context);

    bool closed() const { return document_->closed(); }
    const std::shared_ptr<EngineDocument> &document() const { return document_; }
    HostContext &context() const { return context_; }

    // Calc's sheet numbers (0-based) of the worksheets, in order.
    const std::vector<int32_t> &worksheets() const { return worksheets_; }
    int32_t activeSheet() const { return active_; }
    // Shows sheet `sheet`; another sheet than the active one drops the
    // selection.
    void activate(int32_t sheet);
    // The range last selected on the active sheet; null when there is none.
    std::shared_ptr<CellRange> selection() const;
    // Activates `sheet` and makes `range`, a range of it, the selection.
    void select(int32_t sheet, std::shared_ptr<CellRange> range);

private:
    std::shared_ptr<EngineDocument> document_;
    HostContext &context_;
    std::vector<int32_t> worksheets_;
    int32_t active_ = 0;
    std::shared_ptr<CellRange> selection_;
    int32_t selectionSheet_ = 0;
};

} // namespace folivex::office
