#include "office/models/presentations.h"

#include "office/models/powerpointapplication.h"
#include "office/models/presentation.h"

namespace folivex::office {

Presentations::Presentations(std::shared_ptr<PowerPointApplication> application)
    : application_(std::move(application))
{
    method(
        "Open",
        [this](const HostArgs &args) -> HostValue {
            auto presentation = application_->open(stringArgument(args, 0, "Open"));
            ++count_;
            return presentation;
        },
        true);
    property("Count", [this](const HostArgs &) -> HostValue { return count_; });
}

} // namespace folivex::office
