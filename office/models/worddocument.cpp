#include "office/models/worddocument.h"

#include "core/error.h"
#include "office/server/hostcontext.h"
#include "office/models/pagesetup.h"
#include "office/models/wordapplication.h"
#include "office/models/wordrange.h"

#include <algorithm>

namespace folivex::office {

WordDocument::WordDocument(std::shared_ptr<EngineDocument> document, std::shared_ptr<WordApplication> application)
    : document_(std::move(document)), application_(std::move(application))
{
    method("Activate", [this](const HostArgs &) -> HostValue {
        application_->activate(std::static_pointer_cast<WordDocument>(shared_from_this()));
        return {};
    });
    property("Application", [this](const HostArgs &) -> HostValue { return HostValue(std::shared_ptr<HostObject>(application_)); });
    method("Range", [this](const HostArgs &args) -> HostValue {
        if (args.empty())
            return range(0, pageCount());
        if (args.size() != 2)
            throw Error("takes no argument or a start and an end");
        return range(clamp(intArgument(args, 0, "Range")), clamp(intArgument(args, 1, "Range")));
    });
    method("goto", [this](const HostArgs &args) -> HostValue {
        int32_t what = args.size() > 0 ? intArgument(args, 0, "goto") : 1;
        int32_t which = args.size() > 1 ? intArgument(args, 1, "goto") : 1;
        int32_t count = args.size() > 2 ? intArgument(args, 2, "goto") : 1;
        if (what != 1)
            throw Error("only pages (1) can be gone to");
        int32_t pages = pageCount();
        int32_t page;
        if (which == 1)
            page = count - 1;
        else if (which == 2)
            page = pageOf(selStart_) + count;
        else if (which == 3)
            page = pageOf(selStart_) - count;
        else
            throw Error("unknown direction " + std::to_string(which));
        page = std::clamp(page, 0, std::max(pages - 1, 0));
        return range(page, page);
    });
    property("PageSetup", [this](const HostArgs &) -> HostValue {
        return std::make_shared<PageSetup>(pageSetupOf(pageOf(selStart_)));
    });
}

const WordDocument::PageValues &WordDocument::pageSetupOf(int32_t page)
{
    auto known = pageSetups_.find(page);
    if (known == pageSetups_.end())
        known = pageSetups_.emplace(page, PageSetup::ofPageStyle(document_->pageGeometry(page))).first;
    return known->second;
}

int32_t WordDocument::pageCount() const
{
    if (pageCount_ < 0)
        pageCount_ = document_->partCount();
    return pageCount_;
}

int32_t WordDocument::clamp(int32_t position) const
{
    return std::clamp(position, 0, pageCount());
}

int32_t WordDocument::pageOf(int32_t position) const
{
    return std::clamp(position, 0, std::max(pageCount() - 1, 0));
}

void WordDocument::select(int32_t start, int32_t end)
{
    selStart_ = clamp(start);
    selEnd_ = std::max(selStart_, clamp(end));
}

std::shared_ptr<WordRange> WordDocument::selection()
{
    return std::make_shared<WordRange>(std::static_pointer_cast<WordDocument>(shared_from_this()), 0, 0, true);
}

std::shared_ptr<WordRange> WordDocument::range(int32_t start, int32_t end)
{
    return std::make_shared<WordRange>(std::static_pointer_cast<WordDocument>(shared_from_this()), start,
                                       std::max(start, end), false);
}

void WordDocument::copyPages(int32_t start, int32_t end) const
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
    application_->context().copyPicture(PagePicture{document_, 0, area});
}

} // namespace folivex::office
