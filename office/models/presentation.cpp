#include "office/models/presentation.h"

#include "core/error.h"
#include "office/models/pagesetup.h"
#include "office/models/slides.h"
#include "office/engine/uno.h"

#define LOK_USE_UNSTABLE_API
#include <LibreOfficeKit/LibreOfficeKit.hxx>

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>

namespace folivex::office {

namespace css = ::com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

Presentation::Presentation(std::shared_ptr<OfficeDocument> document, HostContext &context)
    : document_(std::move(document)), context_(context)
{
    property("Slides", [this](const HostArgs &) -> HostValue {
        return std::make_shared<Slides>(std::static_pointer_cast<Presentation>(shared_from_this()));
    });
    property("PageSetup", [this](const HostArgs &) -> HostValue {
        auto [w, h] = slideSize();
        return std::make_shared<PageSetup>(std::vector<std::pair<std::string, double>>{
            {"SlideWidth", pointsFromHundredthsMm(w)}, {"SlideHeight", pointsFromHundredthsMm(h)}});
    });
}

int32_t Presentation::slideCount() const
{
    return document_->lok().getParts();
}

std::pair<double, double> Presentation::slideSize() const
{
    Reference<css::drawing::XDrawPagesSupplier> supplier(document_->model(), UNO_QUERY_THROW);
    Reference<css::container::XIndexAccess> pages(supplier->getDrawPages(), UNO_QUERY_THROW);
    if (pages->getCount() == 0)
        throw Error("the presentation has no slides");
    Reference<css::beans::XPropertySet> page(pages->getByIndex(0), UNO_QUERY_THROW);
    return {double(propertyOf<sal_Int32>(page, "Width")), double(propertyOf<sal_Int32>(page, "Height"))};
}

void Presentation::select(int32_t slide)
{
    document_->lok().setPart(slide);
}

void Presentation::copy(int32_t slide)
{
    auto [w, h] = slideSize();
    context_.copyPicture(PagePicture{document_, slide, TwipRect{0, 0, twipsFromHundredthsMm(w), twipsFromHundredthsMm(h)}});
}

} // namespace folivex::office
