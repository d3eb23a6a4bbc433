#include "office/models/sliderange.h"

#include "office/server/hostcontext.h"

namespace folivex::office {

SlideRange::SlideRange(std::shared_ptr<EngineDocument> presentation, HostContext &context, int32_t slide)
    : presentation_(std::move(presentation)), context_(context), slide_(slide)
{
    method("select", [this](const HostArgs &) -> HostValue {
        presentation_->setCurrentPart(slide_);
        return {};
    });
    method("copy", [this](const HostArgs &) -> HostValue {
        // The whole slide, as large as every slide of the presentation.
        ModelRect size = presentation_->slideSize();
        context_.copyPicture(
            PagePicture{presentation_, slide_,
                        TwipRect{0, 0, twipsFromHundredthsMm(size.width), twipsFromHundredthsMm(size.height)}});
        return {};
    });
    property("SlideIndex", [this](const HostArgs &) -> HostValue { return slide_ + 1; });
}

} // namespace folivex::office
