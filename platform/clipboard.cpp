#include "platform/clipboard.h"

#include "core/error.h"

namespace folivex::clipboard {

void Clipboard::open()
{
    if (open_)
        throw Error("Cannot open clipboard");
    open_ = true;
}

void Clipboard::close()
{
    open_ = false;
}

void Clipboard::empty()
{
    if (!open_)
        throw Error("Cannot empty the clipboard: it is not open");
    items_.clear();
}

std::vector<uint32_t> Clipboard::formats() const
{
    std::vector<uint32_t> out;
    for (const Item &item : items_)
        out.push_back(item.format);
    return out;
}

const Clipboard::Item *Clipboard::find(uint32_t format) const
{
    for (const Item &item : items_)
        if (item.format == format)
            return &item;
    return nullptr;
}

Clipboard::Item &Clipboard::slot(uint32_t format)
{
    for (Item &item : items_)
        if (item.format == format)
            return item;
    items_.push_back(Item{format, nullptr, QImage()});
    return items_.back();
}

std::shared_ptr<const Picture> Clipboard::enhancedMetafile() const
{
    const Item *item = find(EnhancedMetafile);
    if (!item || !item->picture)
        item = find(MetafilePicture);
    if (!item || !item->picture)
        throw Error("Unsupported clipboard format");
    return item->picture;
}

QImage Clipboard::bitmap() const
{
    const Item *item = find(Bitmap);
    if (!item || item->image.isNull())
        item = find(Dib);
    if (!item || item->image.isNull())
        throw Error("Unsupported clipboard format");
    return item->image;
}

void Clipboard::setPicture(uint32_t format, std::shared_ptr<const Picture> picture)
{
    if (format != MetafilePicture && format != EnhancedMetafile)
        throw Error("Invalid clipboard format");
    Item &item = slot(format);
    item.picture = std::move(picture);
}

void Clipboard::setBitmap(uint32_t format, QImage image)
{
    if (format != Bitmap && format != Dib)
        throw Error("Invalid clipboard format");
    Item &item = slot(format);
    item.image = std::move(image);
}

void Clipboard::replaceFromHost(std::vector<Entry> entries)
{
    if (open_)
        throw Error("Cannot open clipboard");
    items_.clear();
    for (Entry &entry : entries)
        setPicture(entry.format, std::move(entry.picture));
}

Clipboard &ProcessClipboard()
{
    static Clipboard clipboard;
    return clipboard;
}

} // namespace folivex::clipboard
