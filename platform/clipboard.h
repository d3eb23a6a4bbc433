// The clipboard of one running Folivex, shared with the Office hosts it
// started and with nobody else (the desktop's clipboard is never touched).
//
// It keeps the semantics the conversion relies on: open, empty, close; the
// formats listed in the order they were put; pictures under the metafile
// formats (3, 14), bitmaps under the bitmap formats (2, 8). One user holds it
// open at a time: open() while it is open throws "Cannot open clipboard", and
// a host's copy call made while the program holds it open fails with that
// text too. Reading (formats, enhancedMetafile, bitmap) works open or closed;
// empty() needs it open.
//
// User-interface thread only. The clipboard owns what is put on it (shared
// ownership with whoever still holds a picture it handed out).
#pragma once

#include "platform/clipboardformat.h"
#include "platform/picture.h"

#include <QImage>

#include <cstdint>
#include <memory>
#include <vector>

namespace folivex::clipboard {

class Clipboard {
public:
    void open();
    void close();
    bool isOpen() const { return open_; }
    // Throws folivex::Error("Cannot empty the clipboard: it is not open").
    void empty();

    std::vector<uint32_t> formats() const;
    // The picture under format 14, or under 3 when 14 is not there.
    // Throws folivex::Error("Unsupported clipboard format") when there is none
    // (also when the format is listed without data).
    std::shared_ptr<const Picture> enhancedMetafile() const;
    // The bitmap under format 2 or 8; throws "Unsupported clipboard format".
    QImage bitmap() const;

    // Putting data; a format already there is replaced in place. Any other
    // format number throws folivex::Error("Invalid clipboard format").
    void setPicture(uint32_t format, std::shared_ptr<const Picture> picture);
    void setBitmap(uint32_t format, QImage image);

    // What a host's copy call does: empty the clipboard and put `entries`, in
    // order, as one step. Throws "Cannot open clipboard" while the program
    // holds the clipboard open.
    struct Entry {
        uint32_t format;
        std::shared_ptr<const Picture> picture;
    };
    void replaceFromHost(std::vector<Entry> entries);

private:
    struct Item {
        uint32_t format;
        std::shared_ptr<const Picture> picture;
        QImage image;
    };
    Item &slot(uint32_t format);
    const Item *find(uint32_t format) const;

    bool open_ = false;
    std::vector<Item> items_;
};

// The one clipboard of this process.
Clipboard &ProcessClipboard();

} // namespace folivex::clipboard
