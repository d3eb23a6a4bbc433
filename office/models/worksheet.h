// Worksheet: one worksheet. Members: Activate, UsedRange (the bounding box
// of the used cells, A1 on an empty sheet; its Width, Height and picture
// cover the sheet's drawing objects too), PageSetup (its page style's
// margins, in points), Name, Index (Calc's, 1-based).
#pragma once

#include "office/server/hostobject.h"

#include <memory>

namespace folivex::office {

class WorkbookState;

class Worksheet : public HostObject {
public:
    Worksheet(std::shared_ptr<WorkbookState> workbook, int32_t sheet);
    const char *className() const override { return "Worksheet"; }

private:
    std::shared_ptr<WorkbookState> workbook_;
    int32_t sheet_;
};

} // namespace folivex::office
