// PageSetup: the page geometry of a document, page or sheet, in points, as
// read when the object was asked for (documents are read-only, so it does
// not change). Every value is a read-only property.
#pragma once

#include "office/engine/engine.h"
#include "office/server/hostobject.h"

#include <string>
#include <utility>
#include <vector>

namespace folivex::office {

class PageSetup : public HostObject {
public:
    explicit PageSetup(std::vector<std::pair<std::string, double>> values);
    const char *className() const override { return "PageSetup"; }

    // A page style's values under Office's names: LeftMargin, RightMargin,
    // TopMargin, BottomMargin, PageWidth, PageHeight.
    static std::vector<std::pair<std::string, double>> ofPageStyle(const PageGeometry &style);

private:
    std::vector<std::pair<std::string, double>> values_;
};

} // namespace folivex::office
