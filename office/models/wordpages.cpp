#include "office/models/wordpages.h"

#include "core/error.h"
#include "office/server/hostcontext.h"

#include <algorithm>
#include <vector>

namespace folivex::office {

WordPages::WordPages(std::shared_ptr<EngineDocument> document, HostContext &context)
    : document_(std::move(document)), context_(context)
{
}

int32_t WordPages::pageCount() const
{
    if (pageCount_ < 0)
        pageCount_ = document_->partCount();
    return pageCount_;
}

int32_t WordPages::clamp(int32_t position) const
{
    return std::clamp(position, 0, pageCount());
}

int32_t WordPages::pageOf(int32_t position) const
{
    return std::clamp(position, 0, std::max(pageCount() - 1, 0));
}

void WordPages::select(int32_t start, int32_t end)
{
    selStart_ = clamp(start);
    selEnd_ = std::max(selStart_, clamp(end));
}

void WordPages::copyPages(int32_t start, int32_t end) const
{
    if (end <= start)
        throw Error("the selection is empty: there is nothing to copy");
    const std::vector<TwipRect> &pages = document_->pageRectangles();
    if (pages.empty() || size_t(end) > pages.size())
        throw Error("LibreOffice did not lay out the pages");
    TwipRect area = pages[size_t(start)];
    long bottom = area.y + area.height;
    for (int32_t p = start + 1; p < end; ++p) {
        const TwipRect &r = pages[size_t(p)];
        area.x = std::min(area.x, r.x);
        area.width = std::max(area.x + area.width, r.x + r.width) - area.x;
        bottom = std::max(bottom, r.y + r.height);
    }
    area.height = bottom - area.y;
    context_.copyPicture(PagePicture{document_, 0, area});
}

} // namespace folivex::office
