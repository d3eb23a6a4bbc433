#include "office/models/wordrange.h"

#include "core/error.h"
#include "office/models/wordpages.h"

#include <algorithm>

namespace folivex::office {

std::shared_ptr<WordRange> WordRange::between(std::shared_ptr<WordPages> pages, int32_t start, int32_t end)
{
    return std::make_shared<WordRange>(std::move(pages), start, std::max(start, end), false);
}

std::shared_ptr<WordRange> WordRange::selectionOf(std::shared_ptr<WordPages> pages)
{
    return std::make_shared<WordRange>(std::move(pages), 0, 0, true);
}

WordRange::WordRange(std::shared_ptr<WordPages> pages, int32_t first, int32_t last, bool selection)
    : pages_(std::move(pages)), start_(first), end_(last), selection_(selection)
{
    property(
        "Start", [this](const HostArgs &) -> HostValue { return start(); },
        [this](const HostValue &v) {
            int32_t s = pages_->clamp(intArgument({v}, 0, "Start"));
            set(s, std::max(s, end()));
        });
    property(
        "End", [this](const HostArgs &) -> HostValue { return end(); },
        [this](const HostValue &v) {
            int32_t e = pages_->clamp(intArgument({v}, 0, "End"));
            set(std::min(start(), e), e);
        });
    method("Select", [this](const HostArgs &) -> HostValue {
        pages_->select(start(), end());
        return {};
    });
    method("CopyAsPicture", [this](const HostArgs &) -> HostValue {
        pages_->copyPages(start(), end());
        return {};
    });
    method("GoToNext", [this](const HostArgs &args) -> HostValue {
        if (intArgument(args, 0, "GoToNext") != 1)
            throw Error("only pages (1) can be gone to");
        int32_t page = pages_->pageOf(start());
        int32_t next = page + 1 < pages_->pageCount() ? page + 1 : page;
        return between(pages_, next, next);
    });
    if (selection_) {
        property("Information", [this](const HostArgs &args) -> HostValue {
            int32_t what = intArgument(args, 0, "Information");
            if (what == 4)
                return pages_->pageCount();
            if (what == 1 || what == 3)
                return pages_->pageOf(std::max(start(), end() - 1)) + 1;
            throw Error("Information(" + std::to_string(what) + ") is not available");
        });
        property("Range", [this](const HostArgs &) -> HostValue { return between(pages_, start(), end()); });
    }
}

int32_t WordRange::start() const
{
    return selection_ ? pages_->selectionStart() : start_;
}

int32_t WordRange::end() const
{
    return selection_ ? pages_->selectionEnd() : end_;
}

void WordRange::set(int32_t start, int32_t end)
{
    if (selection_)
        pages_->select(start, end);
    else {
        start_ = start;
        end_ = end;
    }
}

} // namespace folivex::office
