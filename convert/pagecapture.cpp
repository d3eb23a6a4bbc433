#include "pagecapture.h"

#include "convert/sizepercent.h"
#include "convert/wordpages.h"
#include "core/documentkind.h"
#include "core/error.h"
#include "core/resolution.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace folivex::convert {

using automation::Variant;
using clipboard::Clipboard;

namespace {

// The encoder's limit: a larger bitmap would only fail when it is saved, after
// the memory for it was spent.
constexpr std::int64_t kLargestSide = 65500;
// A framed page of more pixels than this (48 MiB at 24 bits) is never whole
// in memory: it is drawn and encoded one band of rows at a time.
constexpr std::int64_t kLargestWholeBitmap = std::int64_t(16) << 20;
// The pixels of one such band. Two bands are held here (one drawn while the
// other is compressed) and one in the buffer the Office host draws into, so
// a band is a quarter of the largest whole bitmap.
constexpr std::int64_t kBandPixels = kLargestWholeBitmap / 4;

void emptyClipboard(Clipboard &clipboard)
{
    clipboard.open();
    clipboard.empty();
    clipboard.close();
}

void emptyClipboardQuietly(Clipboard &clipboard) noexcept
{
    try {
        if (clipboard.isOpen())
            clipboard.close();
        emptyClipboard(clipboard);
    } catch (...) {
        // May swallow: this runs while another error is on its way, and that
        // one is what the caller hears of.
    }
}

// Has the application put page n on the clipboard.
void copyPage(const Variant &app, std::int32_t kind, std::int32_t n)
{
    switch (kind) {
    case KindCode(DocumentKind::Word): {
        const Variant word = app.read("Application");
        const Variant document = app.read("ActiveDocument");
        SelectWordPage(word, document, n);
        app.read("Application").read("Selection").read("Range").call("CopyAsPicture");
        break;
    }
    case KindCode(DocumentKind::PowerPoint):
        app.read("ActivePresentation").read("Slides").call("Range", {n}).call("select");
        app.read("ActivePresentation").read("Slides").call("Range", {n}).call("copy");
        break;
    case KindCode(DocumentKind::Excel):
        app.get("WorkSheets", {n}).call("Activate");
        app.read("ActiveSheet").read("UsedRange").call("Select");
        app.read("Selection").call("Copy");
        break;
    default: break;
    }
}

// The picture under the first readable format, in the clipboard's order; a
// bitmap format gives no picture (a white page).
std::shared_ptr<const clipboard::Picture> readPicture(const Clipboard &clipboard)
{
    for (const std::uint32_t format : clipboard.formats()) {
        switch (format) {
        case clipboard::MetafilePicture:
        case clipboard::EnhancedMetafile: return clipboard.enhancedMetafile();
        case clipboard::Bitmap:
        case clipboard::Dib: return nullptr;
        default: break;
        }
    }
    throw Error("Invalid clipboard format");
}

struct Geometry {
    std::int64_t left = 0, right = 0, top = 0, bottom = 0;
    std::int64_t height = 0, width = 0;
};

// holder.member, in whole points.
std::int64_t pointsOf(const Variant &holder, const char *member)
{
    return RoundHalfEven(holder.read(member).toDouble());
}

// Each object on the way is read once: every read is a call into the
// application, a few dozen of them a page.
Geometry readGeometry(const Variant &app, std::int32_t kind)
{
    Geometry g;
    switch (kind) {
    case KindCode(DocumentKind::Word):
    case KindCode(DocumentKind::Excel): {
        const Variant owner = app.read(kind == KindCode(DocumentKind::Word) ? "ActiveDocument" : "ActiveSheet");
        const Variant setup = owner.read("PageSetup");
        g.left = pointsOf(setup, "LeftMargin");
        g.right = pointsOf(setup, "RightMargin");
        g.top = pointsOf(setup, "TopMargin");
        g.bottom = pointsOf(setup, "BottomMargin");
        if (kind == KindCode(DocumentKind::Word)) {
            g.height = pointsOf(setup, "PageHeight");
            g.width = pointsOf(setup, "PageWidth");
        } else {
            const Variant used = owner.read("UsedRange");
            g.height = pointsOf(used, "Height");
            g.width = pointsOf(used, "Width");
        }
        break;
    }
    case KindCode(DocumentKind::PowerPoint): {
        const Variant setup = app.read("ActivePresentation").read("PageSetup");
        g.height = pointsOf(setup, "SlideHeight");
        g.width = pointsOf(setup, "SlideWidth");
        break;
    }
    default: break;
    }
    return g;
}

// White everywhere: every byte 0xFF, which a plain memset writes much
// faster than QImage::fill's per-pixel loop for 24-bit images.
void fillWhite(QImage &bitmap)
{
    std::memset(bitmap.bits(), 0xFF, size_t(bitmap.sizeInBytes()));
}

// A white 24-bit bitmap; a size the encoder could never take, or memory that
// cannot be had, is an error rather than an absurd allocation.
QImage whiteBitmap(std::int64_t width, std::int64_t height)
{
    width = std::max<std::int64_t>(width, 0);
    height = std::max<std::int64_t>(height, 0);
    if (width == 0 || height == 0)
        return QImage();
    QImage bitmap(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB888);
    if (bitmap.isNull())
        throw Error("Cannot create a bitmap of " + std::to_string(width) + " x " + std::to_string(height) + " pixels");
    fillWhite(bitmap);
    return bitmap;
}

// Why a page of framedWidth x framedHeight pixels cannot be one JPEG image,
// and the largest size percentage at which it could: the margins keep their
// pixels at every size. Above 72 dpi, a lower resolution may fit as well.
std::string tooBigText(std::int32_t kind, long double percent, std::int32_t resolution, std::int64_t framedWidth,
                       std::int64_t framedHeight, std::int64_t width, std::int64_t height)
{
    long double fits = percent;
    for (auto [framed, scaled] : {std::pair{framedWidth, width}, std::pair{framedHeight, height}})
        if (framed > kLargestSide && scaled > 0)
            fits = std::min(fits, percent * (kLargestSide - (framed - scaled)) / scaled);
    const auto whole = static_cast<long long>(std::floor(fits));
    const std::string what = kind == KindCode(DocumentKind::Excel) ? "The worksheet" : "The page";
    const std::string size = std::to_string(framedWidth) + " x " + std::to_string(framedHeight) + " pixels";
    const std::string limit = "more than the 65500 pixels a JPEG image can have on a side";
    std::string text = what + " is " + size + ", " + limit;
    if (whole < 30)
        text += ", even at the smallest size, 30%";
    else
        text += "; at a size of " + std::to_string(whole) + "% (--size " + std::to_string(whole) + ") it would fit";
    if (resolution > kLowestResolution) {
        // Every length, margins too, scales with the resolution.
        const auto fitting = static_cast<long long>(
            std::floor(static_cast<long double>(resolution) * kLargestSide / std::max(framedWidth, framedHeight)));
        if (fitting >= kLowestResolution)
            text += (whole < 30 ? "; at " : ", or at ") + std::to_string(fitting) + " dpi (--resolution " +
                    std::to_string(fitting) + ")" + (whole < 30 ? " it would fit" : "");
    }
    return text + ".";
}

} // namespace

void PageCapture::assignBands(std::shared_ptr<const clipboard::Picture> picture, std::int64_t left, std::int64_t top,
                              std::int64_t width, std::int64_t height, std::int64_t framedWidth,
                              std::int64_t framedHeight)
{
    // Bands of whole 16-row groups, the compressor's own unit, of about
    // kBandPixels.
    const std::int64_t bandRows = std::max<std::int64_t>(16, (kBandPixels / framedWidth) / 16 * 16);
    const QRect page{int(left), int(top), int(width), int(height)};
    pageJpeg_.AssignBands(
        int(framedWidth), int(framedHeight), int(bandRows),
        [picture, page](int bandTop, QImage &band) {
            fillWhite(band);
            if (picture)
                picture->play(band, page.translated(0, -bandTop));
        },
        scanLayout());
}

ScanLayout PageCapture::scanLayout() const
{
    // Above 72 dpi a page's margins are many rows of white, coded once for
    // all with a restart marker after each row of the image. At 72 dpi the
    // files stay as they always were.
    return resolution_ > kLowestResolution ? ScanLayout::RestartEveryRow : ScanLayout::Continuous;
}

void PageCapture::CapturePage(std::int32_t PageIndex, Clipboard &Clipboard, const Variant &App, std::int32_t Kind)
{
    view_.PumpMessages();
    emptyClipboard(Clipboard);
    try {
        captureCopiedPage(PageIndex + 1, Clipboard, App, Kind);
    } catch (...) {
        // Not swallowed: whatever failed, the clipboard is emptied before it goes on.
        emptyClipboardQuietly(Clipboard);
        throw;
    }
    emptyClipboard(Clipboard);
}

void PageCapture::captureCopiedPage(std::int32_t n, Clipboard &clipboard, const Variant &app, std::int32_t kind)
{
    // A page that cannot be copied fails its document: keeping the previous
    // page's image would put another page, or another document's, in the PDF.
    try {
        copyPage(app, kind, n);
    } catch (const std::exception &cause) {
        view_.ShowMessage("No content.", "Warning");
        view_.PageNotCopied(n);
        throw Error(std::string("No content. The page could not be copied: ") + cause.what(), {}, n, "copy");
    }

    const std::shared_ptr<const clipboard::Picture> picture = readPicture(clipboard);
    const Geometry g = readGeometry(app, kind);
    const std::int32_t resolution = CheckedResolution(view_.ResolutionText());

    // The percentage is read afresh for the width and for the height.
    const std::int64_t width = ScaledPixels(CheckedSizePercent(view_.SizePercentText()), g.width);
    const std::int64_t height = ScaledPixels(CheckedSizePercent(view_.SizePercentText()), g.height);
    // The page and its frame in points, then in pixels at the resolution:
    // the page's edges are rounded where they lie, so the frame is exactly
    // the pixels of its size in points.
    const auto pixels = [resolution](std::int64_t points) { return PixelsOfPoints(points, resolution); };
    const std::int64_t left = pixels(g.left), top = pixels(g.top);
    const std::int64_t pageWidth = width > 0 ? pixels(g.left + width) - left : width;
    const std::int64_t pageHeight = height > 0 ? pixels(g.top + height) - top : height;
    const std::int64_t framedWidth = pixels(std::max<std::int64_t>(width, 0) + g.left + g.right);
    const std::int64_t framedHeight = pixels(std::max<std::int64_t>(height, 0) + g.top + g.bottom);
    if (framedWidth > kLargestSide || framedHeight > kLargestSide)
        throw Error(tooBigText(kind, CheckedSizePercent(view_.SizePercentText()), resolution, framedWidth, framedHeight,
                               std::max<std::int64_t>(pageWidth, 0), std::max<std::int64_t>(pageHeight, 0)));
    resolution_ = resolution;
    // A worksheet of more than one band goes band by band even when it would
    // fit whole: the host draws the next band while this side compresses the
    // last, where a whole worksheet is drawn first and compressed after.
    // Its bands are cut from one rendering, so its pixels do not change.
    // Pages of text documents and presentations stay whole: the host draws
    // the next one while this one is compressed.
    const std::int64_t framedPixels = framedWidth * framedHeight;
    const bool banded =
        framedPixels > kLargestWholeBitmap || (kind == KindCode(DocumentKind::Excel) && framedPixels > kBandPixels);
    if (banded && pageWidth > 0 && pageHeight > 0) {
        assignBands(picture, left, top, pageWidth, pageHeight, framedWidth, framedHeight);
        return;
    }
    // The page's picture is played straight into its place in the framed
    // bitmap: the same pixels as playing it into a white page bitmap and
    // drawing that inside the margins, without the second bitmap and copy.
    QImage framedBitmap = whiteBitmap(framedWidth, framedHeight);
    if (picture && !framedBitmap.isNull() && pageWidth > 0 && pageHeight > 0)
        picture->play(framedBitmap, QRect(int(left), int(top), int(pageWidth), int(pageHeight)));
    pageJpeg_.Assign(framedBitmap, scanLayout());
}

} // namespace folivex::convert
