#include "office/models/worddocument.h"

#include "core/error.h"
#include "office/models/pagesetup.h"
#include "office/models/wordpages.h"
#include "office/models/wordrange.h"

#include <algorithm>

namespace folivex::office {

WordDocument::WordDocument(std::shared_ptr<EngineDocument> document, HostContext &context, std::shared_ptr<Owner> owner)
    : pages_(std::make_shared<WordPages>(std::move(document), context)), owner_(std::move(owner))
{
    method("Activate", [this](const HostArgs &) -> HostValue {
        owner_->activate(std::static_pointer_cast<WordDocument>(shared_from_this()));
        return {};
    });
    property("Application", [this](const HostArgs &) -> HostValue { return owner_->applicationObject(); });
    method("Range", [this](const HostArgs &args) -> HostValue {
        if (args.empty())
            return WordRange::between(pages_, 0, pages_->pageCount());
        if (args.size() != 2)
            throw Error("takes no argument or a start and an end");
        return WordRange::between(pages_, pages_->clamp(intArgument(args, 0, "Range")),
                                  pages_->clamp(intArgument(args, 1, "Range")));
    });
    method("goto", [this](const HostArgs &args) -> HostValue {
        int32_t what = args.size() > 0 ? intArgument(args, 0, "goto") : 1;
        int32_t which = args.size() > 1 ? intArgument(args, 1, "goto") : 1;
        int32_t count = args.size() > 2 ? intArgument(args, 2, "goto") : 1;
        if (what != 1)
            throw Error("only pages (1) can be gone to");
        int32_t pages = pages_->pageCount();
        int32_t page;
        if (which == 1)
            page = count - 1;
        else if (which == 2)
            page = pages_->pageOf(pages_->selectionStart()) + count;
        else if (which == 3)
            page = pages_->pageOf(pages_->selectionStart()) - count;
        else
            throw Error("unknown direction " + std::to_string(which));
        page = std::clamp(page, 0, std::max(pages - 1, 0));
        return WordRange::between(pages_, page, page);
    });
    property("PageSetup", [this](const HostArgs &) -> HostValue {
        return std::make_shared<PageSetup>(pageSetupOf(pages_->pageOf(pages_->selectionStart())));
    });
}

bool WordDocument::closed() const
{
    return pages_->closed();
}

std::shared_ptr<WordRange> WordDocument::selection()
{
    return WordRange::selectionOf(pages_);
}

const WordDocument::PageValues &WordDocument::pageSetupOf(int32_t page)
{
    auto known = pageSetups_.find(page);
    if (known == pageSetups_.end())
        known = pageSetups_.emplace(page, PageSetup::ofPageStyle(pages_->document().pageGeometry(page))).first;
    return known->second;
}

} // namespace folivex::office
