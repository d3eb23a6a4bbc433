// The engine's interface: what the object models and the server ask of
// LibreOffice, in plain C++ types. Nothing of LibreOffice is reachable from
// here; the implementation (LibreOffice, OfficeDocument) keeps
// LibreOfficeKit and UNO to itself.
//
// Errors: folivex::Error carries a text of ours ("Cannot open ...", "Cannot
// read TopMargin: ..."). EngineFailure carries LibreOffice's own message
// when LibreOffice itself throws; it is no folivex::Error, so an object's
// member does not put its name before it, and the server reports it as
// "LibreOffice failed: MESSAGE".
#pragma once

#include "core/documentkind.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace folivex::office {

// A rectangle in twips, LibreOfficeKit's unit.
struct TwipRect {
    long x = 0, y = 0, width = 0, height = 0;
};

// A position and size in 1/100 mm, the unit of LibreOffice's document model.
struct ModelRect {
    double x = 0, y = 0, width = 0, height = 0;
};

// The smallest rectangle holding both.
inline ModelRect unitedRect(const ModelRect &a, const ModelRect &b)
{
    const double left = a.x < b.x ? a.x : b.x;
    const double top = a.y < b.y ? a.y : b.y;
    const double right = a.x + a.width > b.x + b.width ? a.x + a.width : b.x + b.width;
    const double bottom = a.y + a.height > b.y + b.height ? a.y + a.height : b.y + b.height;
    return ModelRect{left, top, right - left, bottom - top};
}

// Points and twips from 1/100 mm.
inline double pointsFromHundredthsMm(double v)
{
    return v * 72.0 / 2540.0;
}
inline long twipsFromHundredthsMm(double v)
{
    return long(v * 1440.0 / 2540.0 + 0.5);
}

// A page style's geometry in points, the way Office reports it: the margins
// reach the body of the page, so a header's or footer's height counts into
// its margin.
struct PageGeometry {
    double leftMargin = 0, rightMargin = 0, topMargin = 0, bottomMargin = 0, width = 0, height = 0;
};

// A block of cells of one sheet: 0-based columns and rows, both ends in it.
struct CellBlock {
    int32_t firstColumn = 0, firstRow = 0, lastColumn = 0, lastRow = 0;
};

class EngineFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One document loaded in this process, open read-only: its layout, read
// once, stays. Every member but kind(), path(), closed() and close() throws
// folivex::Error("The document is closed") once it is closed; the members of
// one kind of document are for that kind only.
class EngineDocument {
public:
    virtual ~EngineDocument() = default;

    virtual DocumentKind kind() const = 0;
    // The absolute path it was loaded from.
    virtual const std::string &path() const = 0;
    virtual bool closed() const = 0;
    // Frees LibreOffice's document; never throws.
    virtual void close() = 0;

    // LibreOfficeKit's parts: the pages of a text document, the sheets of a
    // spreadsheet, the slides of a presentation. The current part is the
    // sheet or slide the view shows.
    virtual int32_t partCount() const = 0;
    virtual int32_t currentPart() const = 0;
    virtual void setCurrentPart(int32_t part) = 0;

    // Text documents: every page's rectangle, in layout order.
    virtual const std::vector<TwipRect> &pageRectangles() const = 0;
    // The page style in use on page `page` (0-based); moves the view's
    // cursor to that page to find it.
    virtual PageGeometry pageGeometry(int32_t page) = 0;

    // Spreadsheets; sheets by Calc's 0-based number.
    virtual int32_t sheetCount() const = 0;
    // A chart sheet (Excel's Charts, no worksheet) arrives as a sheet with
    // no cell content whose drawing layer holds exactly one chart, as a
    // worksheet holding only a chart does. An Office Open XML file decides
    // by itself; a sheet an .xls file declares a chart sheet is one, and
    // else, in any other file, that look decides.
    virtual bool isChartSheet(int32_t sheet) const = 0;
    // The bounding box of the used cells; A1 on an empty sheet.
    virtual CellBlock usedCells(int32_t sheet) const = 0;
    virtual ModelRect cellArea(int32_t sheet, const CellBlock &cells) const = 0;
    // The bounding box of the sheet's visible drawing objects (charts,
    // pictures, shapes, text boxes, controls) in 1/100 mm; none without any.
    virtual std::optional<ModelRect> drawingBounds(int32_t sheet) const = 0;
    virtual PageGeometry sheetPageGeometry(int32_t sheet) const = 0;
    virtual std::string sheetName(int32_t sheet) const = 0;

    // Presentations: the slide size (every slide has the first one's), in
    // 1/100 mm as {0, 0, width, height}. Throws folivex::Error("the
    // presentation has no slides").
    virtual ModelRect slideSize() const = 0;

    // Renders `area` of part `part` stretched to width x height, only the
    // rows [top, top + rows) of it, into a BGRA canvas of width x rows
    // (premultiplied, top row first). A band's edge is rounded to whole
    // twips, so it can sit up to half a twip from where the whole
    // rendering has it; a worksheet's bands are cut from one rendering,
    // which has the sheet's columns and rows at their model sizes at any
    // width x height.
    virtual void renderRows(unsigned char *canvas, int width, int height, int part, const TwipRect &area, int top,
                            int rows) const = 0;
    // The whole rendering, into a canvas of width x height.
    void render(unsigned char *canvas, int width, int height, int part, const TwipRect &area) const
    {
        renderRows(canvas, width, height, part, area, 0, height);
    }
};

// A page picture: an area of one part of a document, rendered on demand.
struct PagePicture {
    std::shared_ptr<EngineDocument> document;
    int part = 0;
    TwipRect area;
};

inline bool SameArea(const TwipRect &a, const TwipRect &b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

inline bool SamePicture(const PagePicture &a, const PagePicture &b)
{
    return a.document == b.document && a.part == b.part && SameArea(a.area, b.area);
}

// A document to load: `path` is the user's, as error texts and
// EngineDocument::path() show it; `copy` is the file this process reads, its
// own copy of it (a confined process reads nothing of the user's).
struct DocumentFile {
    std::string path;
    std::string copy;
};

// LibreOffice as the host uses it: it loads documents.
class Engine {
public:
    virtual ~Engine() = default;
    // Loads `file` read-only, never asking anything. The loaded document must
    // be of `kind`; error texts name its application ("not a Word document").
    // Throws folivex::Error for a missing, empty, unreadable, protected or
    // wrong-kind file.
    virtual std::shared_ptr<EngineDocument> load(const DocumentFile &file, DocumentKind kind) = 0;
};

} // namespace folivex::office
