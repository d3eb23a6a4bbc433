// Page styles in a document's UNO model: the one in use on a page of a text
// document, one by name, and a style's geometry as Office reports it.
// Private to the engine. Each throws folivex::Error when a property cannot
// be read; LibreOffice's own exceptions pass through (see unoGuarded).
#pragma once

#include "office/engine/engine.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <rtl/ustring.hxx>

namespace folivex::office {

// The name of the page style in use on page `page` (0-based) of a Writer
// document, found through the view cursor, which it leaves on that page.
rtl::OUString pageStyleNameOfPage(const css::uno::Reference<css::frame::XModel> &model, int32_t page);
css::uno::Reference<css::beans::XPropertySet> pageStyleNamed(const css::uno::Reference<css::frame::XModel> &model,
                                                             const rtl::OUString &name);
// LeftMargin, RightMargin, TopMargin, BottomMargin (a header's or footer's
// height counted into its margin), Width and Height, in points.
PageGeometry pageGeometryOf(const css::uno::Reference<css::beans::XPropertySet> &style);

} // namespace folivex::office
