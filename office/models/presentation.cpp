#include "office/models/presentation.h"

#include "office/models/pagesetup.h"
#include "office/models/slides.h"

namespace folivex::office {

Presentation::Presentation(std::shared_ptr<EngineDocument> document, HostContext &context)
    : document_(std::move(document)), context_(context)
{
    property("Slides", [this](const HostArgs &) -> HostValue { return std::make_shared<Slides>(document_, context_); });
    property("PageSetup", [this](const HostArgs &) -> HostValue {
        ModelRect slide = document_->slideSize();
        return std::make_shared<PageSetup>(
            std::vector<std::pair<std::string, double>>{{"SlideWidth", pointsFromHundredthsMm(slide.width)},
                                                        {"SlideHeight", pointsFromHundredthsMm(slide.height)}});
    });
}

} // namespace folivex::office
