// PageSetup: the page geometry of a document, page or sheet, in points, as
// read when the object was asked for (documents are read-only, so it does
// not change). Every value is a read-only property.
#pragma once

#include "office/server/hostobject.h"

#include <com/sun/star/beans/XPropertySet.hpp>

#include <string>
#include <utility>
#include <vector>

namespace folivex::office {

class PageSetup : public HostObject {
public:
    explicit PageSetup(std::vector<std::pair<std::string, double>> values);
    const char *className() const override { return "PageSetup"; }

    // The values of a LibreOffice page style the way Office reports them:
    // LeftMargin, RightMargin, TopMargin, BottomMargin (to the body of the
    // page: a header or footer's height counts into its margin), PageWidth,
    // PageHeight.
    static std::vector<std::pair<std::string, double>> ofPageStyle(
        const css::uno::Reference<css::beans::XPropertySet> &style);

private:
    std::vector<std::pair<std::string, double>> values_;
};

} // namespace folivex::office
