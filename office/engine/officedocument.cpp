#include "office/engine/officedocument.h"

#include "core/error.h"
#include "office/engine/calcsheets.h"
#include "office/engine/lok.h"
#include "office/engine/pagestyle.h"
#include "office/engine/sheetgrid.h"
#include "office/engine/sheetrendering.h"
#include "office/engine/uno.h"

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <sstream>

namespace folivex::office {

namespace css = ::com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

OfficeDocument::OfficeDocument(std::unique_ptr<lok::Document> document, Reference<css::frame::XModel> model,
                               DocumentKind kind, std::string path, FileChartSheets chartSheets)
    : document_(std::move(document)), model_(std::move(model)), kind_(kind), path_(std::move(path)),
      chartSheets_(std::move(chartSheets))
{
}

OfficeDocument::~OfficeDocument()
{
    close();
}

void OfficeDocument::close()
{
    grids_.clear();
    model_.clear();
    document_.reset();
}

lok::Document &OfficeDocument::lok() const
{
    if (!document_)
        throw Error("The document is closed");
    return *document_;
}

const Reference<css::frame::XModel> &OfficeDocument::model() const
{
    if (!document_)
        throw Error("The document is closed");
    return model_;
}

SheetGrid &OfficeDocument::gridOf(int32_t sheet) const
{
    std::unique_ptr<SheetGrid> &grid = grids_[sheet];
    if (!grid)
        grid = unoGuarded([&] { return std::make_unique<SheetGrid>(calcSheet(model(), sheet)); });
    return *grid;
}

int32_t OfficeDocument::partCount() const
{
    return lok().getParts();
}

int32_t OfficeDocument::currentPart() const
{
    return lok().getPart();
}

void OfficeDocument::setCurrentPart(int32_t part)
{
    lok().setPart(part);
}

const std::vector<TwipRect> &OfficeDocument::pageRectangles() const
{
    // The document is open read-only: its layout, read once, stays.
    if (!pageRectangles_.empty())
        return pageRectangles_;
    // LibreOffice allocates the text with malloc; it is freed whatever the
    // reading below throws.
    const std::unique_ptr<char, decltype(&std::free)> text(lok().getPartPageRectangles(), &std::free);
    std::vector<TwipRect> &out = pageRectangles_;
    if (!text)
        return out;
    // "x, y, w, h; x, y, w, h; ..."
    std::stringstream pages{std::string(text.get())};
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

PageGeometry OfficeDocument::pageGeometry(int32_t page)
{
    return unoGuarded([&] {
        // The document is read-only: a style's geometry, once read, stays.
        const rtl::OUString name = pageStyleNameOfPage(model(), page);
        auto known = styleGeometries_.find(name);
        if (known == styleGeometries_.end())
            known = styleGeometries_.emplace(name, pageGeometryOf(pageStyleNamed(model(), name))).first;
        return known->second;
    });
}

int32_t OfficeDocument::sheetCount() const
{
    return unoGuarded([&] { return int32_t(calcSheets(model())->getCount()); });
}

bool OfficeDocument::isChartSheet(int32_t sheet) const
{
    return unoGuarded([&] {
        const Reference<css::sheet::XSpreadsheet> calc = calcSheet(model(), sheet);
        if (chartSheets_.names.count(nameOf(calc)) != 0)
            return true;
        return !chartSheets_.decisive && office::isChartSheet(calc);
    });
}

CellBlock OfficeDocument::usedCells(int32_t sheet) const
{
    return unoGuarded([&] { return usedCellsOf(calcSheet(model(), sheet)); });
}

ModelRect OfficeDocument::cellArea(int32_t sheet, const CellBlock &cells) const
{
    return unoGuarded([&] { return cellAreaOf(calcSheet(model(), sheet), cells); });
}

std::optional<ModelRect> OfficeDocument::drawingBounds(int32_t sheet) const
{
    return unoGuarded([&] { return drawingBoundsOf(calcSheet(model(), sheet)); });
}

PageGeometry OfficeDocument::sheetPageGeometry(int32_t sheet) const
{
    return unoGuarded([&] {
        Reference<css::beans::XPropertySet> properties(calcSheet(model(), sheet), UNO_QUERY_THROW);
        rtl::OUString name = propertyOf<rtl::OUString>(properties, "PageStyle");
        return pageGeometryOf(pageStyleNamed(model(), name));
    });
}

std::string OfficeDocument::sheetName(int32_t sheet) const
{
    return unoGuarded([&] { return nameOf(calcSheet(model(), sheet)); });
}

ModelRect OfficeDocument::slideSize() const
{
    return unoGuarded([&] {
        Reference<css::drawing::XDrawPagesSupplier> supplier(model(), UNO_QUERY_THROW);
        Reference<css::container::XIndexAccess> pages(supplier->getDrawPages(), UNO_QUERY_THROW);
        if (pages->getCount() == 0)
            throw Error("the presentation has no slides");
        Reference<css::beans::XPropertySet> page(pages->getByIndex(0), UNO_QUERY_THROW);
        return ModelRect{0, 0, double(propertyOf<sal_Int32>(page, "Width")),
                         double(propertyOf<sal_Int32>(page, "Height"))};
    });
}

void OfficeDocument::renderRows(unsigned char *canvas, int width, int height, int part, const TwipRect &area, int top,
                                int rows) const
{
    // A worksheet's cells at their model sizes, whatever the pixel size (see
    // renderSheetRows); a right-to-left sheet, whose columns Calc lays out
    // from the right, as Calc draws it.
    if (kind_ == DocumentKind::Excel && area.width > 0 && area.height > 0 && !gridOf(part).rightToLeft()) {
        SheetGrid &grid = gridOf(part);
        renderSheetRows(
            [&](unsigned char *band, int bandWidth, int bandHeight, const TwipRect &r) {
                lok().paintPartTile(band, part, bandWidth, bandHeight, int(r.x), int(r.y), int(r.width), int(r.height));
            },
            [&](long twips) -> const std::vector<long> & {
                return unoGuarded([&]() -> const std::vector<long> & { return grid.columnsReaching(twips); });
            },
            [&](long twips) -> const std::vector<long> & {
                return unoGuarded([&]() -> const std::vector<long> & { return grid.rowsReaching(twips); });
            },
            canvas, width, height, area, top, rows, part, sheetScratch_);
        return;
    }
    // Not cleared here: LibreOfficeKit erases its canvas before it paints.
    TwipRect r = area;
    if (kind_ == DocumentKind::PowerPoint) {
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
    if (kind_ == DocumentKind::Word)
        lok().paintTile(canvas, width, rows, int(r.x), int(r.y), int(r.width), int(r.height));
    else
        lok().paintPartTile(canvas, part, width, rows, int(r.x), int(r.y), int(r.width), int(r.height));
}

} // namespace folivex::office
