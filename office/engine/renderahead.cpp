#include "office/engine/renderahead.h"

#include <cstring>

namespace folivex::office {

namespace {

bool sameArea(const TwipRect &a, const TwipRect &b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

bool samePicture(const PagePicture &a, const PagePicture &b)
{
    return a.document == b.document && a.part == b.part && sameArea(a.area, b.area);
}

std::optional<PagePicture> successorOf(const PagePicture &picture)
{
    if (!picture.document || picture.document->closed())
        return std::nullopt;
    switch (picture.document->kind()) {
    case DocumentKind::Text: {
        const std::vector<TwipRect> &pages = picture.document->pageRectangles();
        for (size_t page = 0; page + 1 < pages.size(); ++page)
            if (sameArea(pages[page], picture.area))
                return PagePicture{picture.document, picture.part, pages[page + 1]};
        return std::nullopt;
    }
    case DocumentKind::Presentation:
        if (picture.part + 1 < picture.document->partCount())
            return PagePicture{picture.document, picture.part + 1, picture.area};
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

} // namespace

void RenderAhead::prepareAfter(const PagePicture &picture, int width, int height)
{
    prepared_.reset();
    std::optional<PagePicture> next = successorOf(picture);
    if (!next)
        return;
    pixels_.resize(size_t(width) * size_t(height) * 4);
    next->document->render(pixels_.data(), width, height, next->part, next->area);
    prepared_ = std::move(next);
    width_ = width;
    height_ = height;
}

bool RenderAhead::take(const PagePicture &picture, int width, int height, unsigned char *canvas)
{
    if (!prepared_ || width != width_ || height != height_ || !samePicture(*prepared_, picture) ||
        prepared_->document->closed())
        return false;
    std::memcpy(canvas, pixels_.data(), pixels_.size());
    prepared_.reset();
    return true;
}

} // namespace folivex::office
