#include "office/models/powerpointapplication.h"

#include "core/error.h"
#include "office/models/presentation.h"
#include "office/server/hostcontext.h"

namespace folivex::office {

PowerPointApplication::PowerPointApplication(HostContext &context) : ApplicationObject(context, "Presentations")
{
    property("Presentations", [this](const HostArgs &) -> HostValue { return documents(); });
    property("ActivePresentation", [this](const HostArgs &) -> HostValue {
        if (!active_ || active_->closed())
            throw Error("No presentation is open");
        return active_;
    });
}

std::shared_ptr<HostObject> PowerPointApplication::open(const std::string &path)
{
    active_ = std::make_shared<Presentation>(context_.open(path, DocumentKind::PowerPoint), context_);
    return active_;
}

} // namespace folivex::office
