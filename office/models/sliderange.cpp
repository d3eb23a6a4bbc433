#include "office/models/sliderange.h"

#include "office/models/presentation.h"

namespace folivex::office {

SlideRange::SlideRange(std::shared_ptr<Presentation> presentation, int32_t slide)
    : presentation_(std::move(presentation)), slide_(slide)
{
    method("select", [this](const HostArgs &) -> HostValue {
        presentation_->select(slide_);
        return {};
    });
    method("copy", [this](const HostArgs &) -> HostValue {
        presentation_->copy(slide_);
        return {};
    });
    property("SlideIndex", [this](const HostArgs &) -> HostValue { return slide_ + 1; });
}

} // namespace folivex::office
