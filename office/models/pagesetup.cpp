#include "office/models/pagesetup.h"

namespace folivex::office {

PageSetup::PageSetup(std::vector<std::pair<std::string, double>> values) : values_(std::move(values))
{
    for (size_t i = 0; i < values_.size(); ++i)
        property(values_[i].first.c_str(), [this, i](const HostArgs &) -> HostValue { return values_[i].second; });
}

std::vector<std::pair<std::string, double>> PageSetup::ofPageStyle(const PageGeometry &style)
{
    return {
        {"LeftMargin", style.leftMargin},     {"RightMargin", style.rightMargin}, {"TopMargin", style.topMargin},
        {"BottomMargin", style.bottomMargin}, {"PageWidth", style.width},         {"PageHeight", style.height},
    };
}

} // namespace folivex::office
