#include "office/models/pagesetup.h"

#include "office/engine/uno.h"

namespace folivex::office {

PageSetup::PageSetup(std::vector<std::pair<std::string, double>> values) : values_(std::move(values))
{
    for (size_t i = 0; i < values_.size(); ++i)
        property(values_[i].first.c_str(), [this, i](const HostArgs &) -> HostValue { return values_[i].second; });
}

std::vector<std::pair<std::string, double>> PageSetup::ofPageStyle(
    const css::uno::Reference<css::beans::XPropertySet> &style)
{
    auto hmm = [&](const char *name) { return double(propertyOf<sal_Int32>(style, name)); };
    double top = hmm("TopMargin");
    double bottom = hmm("BottomMargin");
    if (propertyOf<bool>(style, "HeaderIsOn"))
        top += hmm("HeaderHeight");
    if (propertyOf<bool>(style, "FooterIsOn"))
        bottom += hmm("FooterHeight");
    return {
        {"LeftMargin", pointsFromHundredthsMm(hmm("LeftMargin"))},
        {"RightMargin", pointsFromHundredthsMm(hmm("RightMargin"))},
        {"TopMargin", pointsFromHundredthsMm(top)},
        {"BottomMargin", pointsFromHundredthsMm(bottom)},
        {"PageWidth", pointsFromHundredthsMm(hmm("Width"))},
        {"PageHeight", pointsFromHundredthsMm(hmm("Height"))},
    };
}

} // namespace folivex::office
