// Workbook: one workbook over a Calc document. It tells worksheets from
// chart sheets (a sheet without cells whose only drawing is a chart: how a
// chart sheet arrives in Calc), keeps the active sheet and the selection.
// Members: Worksheets, ActiveSheet.
#pragma once

#include "office/server/hostcontext.h"
#include "office/server/hostobject.h"

#include <memory>
#include <vector>

namespace folivex::office {

class CellRange;
class Worksheet;

class Workbook : public HostObject {
public:
    Workbook(std::shared_ptr<EngineDocument> document, HostContext &context);
    const char *className() const override { return "Workbook"; }

    bool closed() const { return document_->closed(); }
    HostContext &context() const { return context_; }
    const std::shared_ptr<EngineDocument> &document() const { return document_; }

    // Calc's sheet numbers (0-based) of the worksheets, in order.
    const std::vector<int32_t> &worksheets() const { return worksheets_; }

    std::shared_ptr<Worksheet> activeSheet();
    void activate(int32_t sheet);
    std::shared_ptr<CellRange> selection();
    void select(std::shared_ptr<CellRange> range);

private:
    std::shared_ptr<EngineDocument> document_;
    HostContext &context_;
    std::vector<int32_t> worksheets_;
    int32_t active_ = 0;
    std::shared_ptr<CellRange> selection_;
};

} // namespace folivex::office
