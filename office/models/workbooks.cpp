#include "office/models/workbooks.h"

#include "office/models/excelapplication.h"
#include "office/models/workbook.h"

namespace folivex::office {

Workbooks::Workbooks(std::shared_ptr<ExcelApplication> application) : application_(std::move(application))
{
    method(
        "Open",
        [this](const HostArgs &args) -> HostValue {
            auto workbook = application_->open(stringArgument(args, 0, "Open"));
            ++count_;
            return workbook;
        },
        true);
    property("Count", [this](const HostArgs &) -> HostValue { return count_; });
}

} // namespace folivex::office
