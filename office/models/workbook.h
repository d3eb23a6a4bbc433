// Workbook: one workbook over a Calc document. Members: Worksheets (with an
// index, one of them), ActiveSheet. Its state, shared with its sheets and
// ranges, is a WorkbookState.
#pragma once

#include "office/engine/engine.h"
#include "office/server/hostobject.h"

#include <memory>

namespace folivex::office {

class CellRange;
class HostContext;
class Worksheet;
class WorkbookState;

class Workbook : public HostObject {
public:
    Workbook(std::shared_ptr<EngineDocument> document, HostContext &context);
    const char *className() const override { return "Workbook"; }

    bool closed() const;
    std::shared_ptr<Worksheet> activeSheet();
    // The selection: the range last selected on the active sheet, else its A1.
    std::shared_ptr<CellRange> selection();
    // What Worksheets answers: the collection, or with an index one sheet;
    // throws folivex::Error for an index out of range.
    HostValue worksheets(const HostArgs &args);

private:
    std::shared_ptr<WorkbookState> state_;
};

} // namespace folivex::office
