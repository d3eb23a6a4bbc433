#include "office/engine/pagestyle.h"

#include "office/engine/uno.h"

#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/XPageCursor.hpp>
#include <com/sun/star/text/XTextViewCursor.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>

namespace folivex::office {

namespace css = ::com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

rtl::OUString pageStyleNameOfPage(const Reference<css::frame::XModel> &model, int32_t page)
{
    Reference<css::text::XTextViewCursorSupplier> supplier(model->getCurrentController(), UNO_QUERY_THROW);
    Reference<css::text::XTextViewCursor> cursor = supplier->getViewCursor();
    Reference<css::text::XPageCursor> pages(cursor, UNO_QUERY_THROW);
    pages->jumpToPage(sal_Int16(page + 1));
    return propertyOf<rtl::OUString>(Reference<css::beans::XPropertySet>(cursor, UNO_QUERY_THROW), "PageStyleName");
}

Reference<css::beans::XPropertySet> pageStyleNamed(const Reference<css::frame::XModel> &model,
                                                   const rtl::OUString &name)
{
    Reference<css::style::XStyleFamiliesSupplier> families(model, UNO_QUERY_THROW);
    Reference<css::container::XNameAccess> styles(families->getStyleFamilies()->getByName("PageStyles"),
                                                  UNO_QUERY_THROW);
    return Reference<css::beans::XPropertySet>(styles->getByName(name), UNO_QUERY_THROW);
}

PageGeometry pageGeometryOf(const Reference<css::beans::XPropertySet> &style)
{
    auto hmm = [&](const char *name) { return double(propertyOf<sal_Int32>(style, name)); };
    double top = hmm("TopMargin");
    double bottom = hmm("BottomMargin");
    if (propertyOf<bool>(style, "HeaderIsOn"))
        top += hmm("HeaderHeight");
    if (propertyOf<bool>(style, "FooterIsOn"))
        bottom += hmm("FooterHeight");
    PageGeometry g;
    g.leftMargin = pointsFromHundredthsMm(hmm("LeftMargin"));
    g.rightMargin = pointsFromHundredthsMm(hmm("RightMargin"));
    g.topMargin = pointsFromHundredthsMm(top);
    g.bottomMargin = pointsFromHundredthsMm(bottom);
    g.width = pointsFromHundredthsMm(hmm("Width"));
    g.height = pointsFromHundredthsMm(hmm("Height"));
    return g;
}

} // namespace folivex::office
