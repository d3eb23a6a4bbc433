// CapturePage: one page, slide or worksheet as a JPEG-ready bitmap.
//
// The Office application copies the page as a picture to the clipboard; the
// picture is played into a white bitmap of the page's size in points scaled
// by the size percentage, framed by the page margins (not scaled), and the
// framed bitmap is assigned to the PageJpeg holder. At a resolution above
// 72 dpi every length in points is resolution/72 pixels and the picture is
// drawn at that size, not enlarged. A framed page of more
// than 16 Mi pixels is assigned as bands instead: the picture is played
// into one band of rows after another when the holder is saved.
#pragma once

#include "convert/conversionview.h"
#include "convert/pagejpeg.h"
#include "platform/clipboard.h"
#include "platform/variant.h"

#include <cstdint>
#include <memory>

namespace folivex::convert {

class PageCapture {
public:
    // Borrows both; they must outlive the capture.
    PageCapture(ConversionView &view, PageJpeg &pageJpeg) : view_(view), pageJpeg_(pageJpeg) {}

    // Captures page PageIndex (from 0) of the document that App has open.
    // A failed copy shows "No content." and is thrown with its cause; so are
    // clipboard, geometry, size percentage and bitmap failures (folivex::Error).
    // PageJpeg is untouched by every failure, and the clipboard is empty
    // afterwards on every path.
    void CapturePage(std::int32_t PageIndex, clipboard::Clipboard &Clipboard, const automation::Variant &App,
                     std::int32_t Kind);

    // The resolution the last captured page was drawn at (72 before any).
    std::int32_t Resolution() const { return resolution_; }

private:
    void captureCopiedPage(std::int32_t n, clipboard::Clipboard &clipboard, const automation::Variant &app,
                           std::int32_t kind);

    void assignBands(std::shared_ptr<const clipboard::Picture> picture, std::int64_t left, std::int64_t top,
                     std::int64_t width, std::int64_t height, std::int64_t framedWidth, std::int64_t framedHeight);
    ScanLayout scanLayout() const;

    ConversionView &view_;
    PageJpeg &pageJpeg_;
    std::int32_t resolution_ = 72;
};

} // namespace folivex::convert
