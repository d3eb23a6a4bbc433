#include "office/models/excelapplication.h"

#include "core/error.h"
#include "office/models/cellrange.h"
#include "office/models/workbook.h"
#include "office/models/worksheet.h"
#include "office/server/hostcontext.h"

namespace folivex::office {

ExcelApplication::ExcelApplication(HostContext &context) : ApplicationObject(context, "Workbooks")
{
    property("WorkBooks", [this](const HostArgs &) -> HostValue { return documents(); });
    property("ActiveWorkbook", [this](const HostArgs &) -> HostValue { return activeWorkbook(); });
    property("Worksheets", [this](const HostArgs &args) -> HostValue { return activeWorkbook()->worksheets(args); });
    property("ActiveSheet", [this](const HostArgs &) -> HostValue { return activeWorkbook()->activeSheet(); });
    property("Selection", [this](const HostArgs &) -> HostValue { return activeWorkbook()->selection(); });
}

std::shared_ptr<HostObject> ExcelApplication::open(const std::string &path)
{
    active_ = std::make_shared<Workbook>(context_.open(path, DocumentKind::Excel), context_);
    return active_;
}

std::shared_ptr<Workbook> ExcelApplication::activeWorkbook() const
{
    if (!active_ || active_->closed())
        throw Error("No workbook is open");
    return active_;
}

} // namespace folivex::office
