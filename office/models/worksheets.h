// Worksheets: the worksheets of a workbook (chart sheets left out).
// Members: Count; Item(n) (1-based).
#pragma once

#include "office/server/hostobject.h"

#include <memory>

namespace folivex::office {

class Worksheet;
class WorkbookState;

class Worksheets : public HostObject {
public:
    explicit Worksheets(std::shared_ptr<WorkbookState> workbook);
    const char *className() const override { return "Sheets"; }
    // Throws folivex::Error for an index out of range.
    std::shared_ptr<Worksheet> item(int32_t n) const;

private:
    std::shared_ptr<WorkbookState> workbook_;
};

} // namespace folivex::office
