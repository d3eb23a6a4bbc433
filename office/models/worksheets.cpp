#include "office/models/worksheets.h"

#include "core/error.h"
#include "office/models/workbookstate.h"
#include "office/models/worksheet.h"

namespace folivex::office {

Worksheets::Worksheets(std::shared_ptr<WorkbookState> workbook) : workbook_(std::move(workbook))
{
    property("Count", [this](const HostArgs &) -> HostValue { return int32_t(workbook_->worksheets().size()); });
    method("Item", [this](const HostArgs &args) -> HostValue { return item(intArgument(args, 0, "Item")); });
}

std::shared_ptr<Worksheet> Worksheets::item(int32_t n) const
{
    const auto &sheets = workbook_->worksheets();
    if (n < 1 || size_t(n) > sheets.size())
        throw Error("worksheet " + std::to_string(n) + " does not exist (the workbook has " +
                    std::to_string(sheets.size()) + ")");
    return std::make_shared<Worksheet>(workbook_, sheets[size_t(n - 1)]);
}

} // namespace folivex::office
