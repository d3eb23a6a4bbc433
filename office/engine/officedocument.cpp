#include "office/engine/officedocument.h"

#include "core/error.h"

#define LOK_USE_UNSTABLE_API
#include <LibreOfficeKit/LibreOfficeKit.hxx>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace folivex::office {

OfficeDocument::OfficeDocument(lok::Document *document, css::uno::Reference<css::frame::XModel> model,
                               DocumentKind kind, std::string path)
    : document_(document), model_(std::move(model)), kind_(kind), path_(std::move(path))
{
}

OfficeDocument::~OfficeDocument()
{
    close();
}

void OfficeDocument::close()
{
    model_.clear();
    delete document_;
    document_ = nullptr;
}

lok::Document &OfficeDocument::lok() const
{
    if (!document_)
        throw Error("The document is closed");
    return *document_;
}

const css::uno::Reference<css::frame::XModel> &OfficeDocument::model() const
{
    if (!document_)
        throw Error("The document is closed");
    return model_;
}

const std::vector<TwipRect> &OfficeDocument::pageRectangles() const
{
    // The document is open read-only: its layout, read once, stays.
    if (!pageRectangles_.empty())
        return pageRectangles_;
    char *text = lok().getPartPageRectangles();
    std::vector<TwipRect> &out = pageRectangles_;
    if (!text)
        return out;
    // "x, y, w, h; x, y, w, h; ..."
    std::string all(text);
    std::free(text);
    std::stringstream pages(all);
    std::string page;
    while (std::getline(pages, page, ';')) {
        TwipRect r;
        char c1, c2, c3;
        std::stringstream one(page);
        if (one >> r.x >> c1 >> r.y >> c2 >> r.width >> c3 >> r.height)
            out.push_back(r);
    }
    return out;
}

void OfficeDocument::render(unsigned char *canvas, int width, int height, int part, const TwipRect &area, int top,
                            int rows) const
{
    if (rows < 0)
        rows = height;
    std::memset(canvas, 0, size_t(width) * size_t(rows) * 4);
    TwipRect r = area;
    if (kind_ == DocumentKind::Presentation) {
        // Impress's edit view draws a grey hairline on the slide's edge,
        // which no print has; moving the area by one pixel puts it outside
        // the canvas.
        long dx = (r.width + width - 1) / width;
        long dy = (r.height + height - 1) / height;
        r.x += dx;
        r.y += dy;
        r.width -= dx;
        r.height -= dy;
    }
    if (top != 0 || rows != height) {
        // A band: the twips of its rows, rounded to whole twips. LibreOffice
        // takes whole twips, so a band's edge can sit up to half a twip from
        // where the whole rendering has it.
        const long double perRow = static_cast<long double>(r.height) / height;
        const long first = std::lround(perRow * top);
        const long last = std::lround(perRow * (top + rows));
        r.y += first;
        r.height = last - first;
    }
    if (kind_ == DocumentKind::Text)
        lok().paintTile(canvas, width, rows, int(r.x), int(r.y), int(r.width), int(r.height));
    else
        lok().paintPartTile(canvas, part, width, rows, int(r.x), int(r.y), int(r.width), int(r.height));
}

} // namespace folivex::office
