#include "office/models/presentation.h"

#include "core/error.h"
#include "office/models/pagesetup.h"
#include "office/models/slides.h"

namespace folivex::office {

Presentation::Presentation(std::shared_ptr<EngineDocument> document, HostContext &context)
    : document_(std::move(document)), context_(context)
{
    property("Slides", [this](const HostArgs &) -> HostValue {
        return std::make_shared<Slides>(std::static_pointer_cast<Presentation>(shared_from_this()));
    });
    property("PageSetup", [this](const HostArgs &) -> HostValue {
        ModelRect slide = document_->slideSize();
        return std::make_shared<PageSetup>(std::vector<std::pair<std::string, double>>{
            {"SlideWidth", pointsFromHundredthsMm(slide.width)}, {"SlideHeight", pointsFromHundredthsMm(slide.height)}});
    });
}

int32_t Presentation::slideCount() const
{
    return document_->partCount();
}

void Presentation::select(int32_t slide)
{
    document_->setCurrentPart(slide);
}

void Presentation::copy(int32_t slide)
{
    ModelRect size = document_->slideSize();
    context_.copyPicture(PagePicture{document_, slide,
                                     TwipRect{0, 0, twipsFromHundredthsMm(size.width), twipsFromHundredthsMm(size.height)}});
}

} // namespace folivex::office
