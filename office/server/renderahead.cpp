#include "office/server/renderahead.h"

#include "office/server/renderworker.h"

namespace folivex::office {

namespace {

std::optional<PagePicture> successorOf(const PagePicture &picture)
{
    if (!picture.document || picture.document->closed())
        return std::nullopt;
    switch (picture.document->kind()) {
    case DocumentKind::Word: {
        const std::vector<TwipRect> &pages = picture.document->pageRectangles();
        for (size_t page = 0; page + 1 < pages.size(); ++page)
            if (SameArea(pages[page], picture.area))
                return PagePicture{picture.document, picture.part, pages[page + 1]};
        return std::nullopt;
    }
    case DocumentKind::PowerPoint:
        if (picture.part + 1 < picture.document->partCount())
            return PagePicture{picture.document, picture.part + 1, picture.area};
        return std::nullopt;
    default: return std::nullopt;
    }
}

bool isOneOf(const std::optional<PagePicture> &picture, const std::vector<PagePicture> &pictures)
{
    if (!picture)
        return false;
    for (const PagePicture &p : pictures)
        if (SamePicture(*picture, p))
            return true;
    return false;
}

} // namespace

void RenderAhead::prepareAfter(const PagePicture &picture, int width, int height, const CanvasSlots &slots,
                               int readSlot, RenderWorker *worker)
{
    const bool helped = worker && worker->ready(*picture.document);
    std::vector<PagePicture> wanted;
    for (std::optional<PagePicture> next = successorOf(picture); next && wanted.size() < (helped ? 2u : 1u);
         next = successorOf(*next))
        wanted.push_back(*next);
    if (prepared_ && (width != width_ || height != height_ || !isOneOf(prepared_, wanted)))
        prepared_.reset();

    // The nearest picture neither has goes to the worker when it is free, the
    // next one to this process, which renders it while the worker works.
    auto firstFree = [&](const std::optional<PagePicture> &besides) -> const PagePicture * {
        for (const PagePicture &p : wanted)
            if (!(prepared_ && SamePicture(*prepared_, p)) && !(besides && SamePicture(*besides, p)))
                return &p;
        return nullptr;
    };
    if (helped && worker->idle()) {
        if (!isOneOf(worker->job(), wanted) || !worker->jobSized(width, height))
            worker->dropFinished();
        if (!worker->job())
            if (const PagePicture *next = firstFree(std::nullopt))
                worker->submit(*next, width, height);
    }
    if (prepared_ || size_t(width) * size_t(height) * 4 > slots.slotBytes)
        return;
    const PagePicture *next = firstFree(helped ? worker->job() : std::nullopt);
    if (!next)
        return;
    const int slot = 1 - readSlot;
    next->document->render(slots.slot(slot), width, height, next->part, next->area);
    prepared_ = *next;
    preparedSlot_ = slot;
    width_ = width;
    height_ = height;
}

std::optional<int> RenderAhead::take(const PagePicture &picture, int width, int height, const CanvasSlots &slots,
                                     RenderWorker *worker)
{
    if (picture.document->closed())
        return std::nullopt;
    if (prepared_ && width == width_ && height == height_ && SamePicture(*prepared_, picture)) {
        prepared_.reset();
        return preparedSlot_;
    }
    const int slot = freeSlot();
    if (worker && worker->take(picture, width, height, slots.slot(slot)))
        return slot;
    return std::nullopt;
}

} // namespace folivex::office
