#include "office/engine/calcsheets.h"

#include "office/engine/uno.h"

#include <com/sun/star/awt/Point.hpp>
#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/beans/XPropertySetInfo.hpp>
#include <com/sun/star/drawing/XDrawPageSupplier.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangesQuery.hpp>
#include <com/sun/star/sheet/XSheetCellCursor.hpp>
#include <com/sun/star/sheet/XSheetCellRanges.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XUsedAreaCursor.hpp>
#include <com/sun/star/table/XCellRange.hpp>

namespace folivex::office {

namespace css = ::com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

Reference<css::container::XIndexAccess> calcSheets(const Reference<css::frame::XModel> &model)
{
    Reference<css::sheet::XSpreadsheetDocument> spreadsheet(model, UNO_QUERY_THROW);
    return Reference<css::container::XIndexAccess>(spreadsheet->getSheets(), UNO_QUERY_THROW);
}

Reference<css::sheet::XSpreadsheet> calcSheet(const Reference<css::frame::XModel> &model, int32_t index)
{
    return Reference<css::sheet::XSpreadsheet>(calcSheets(model)->getByIndex(index), UNO_QUERY_THROW);
}

bool isChartSheet(const Reference<css::sheet::XSpreadsheet> &sheet)
{
    using namespace css::sheet::CellFlags;
    Reference<css::sheet::XCellRangesQuery> query(sheet, UNO_QUERY_THROW);
    Reference<css::sheet::XSheetCellRanges> used =
        query->queryContentCells(sal_Int16(VALUE | DATETIME | STRING | FORMULA | ANNOTATION));
    if (used.is() && used->getCells()->hasElements())
        return false;
    Reference<css::drawing::XDrawPageSupplier> supplier(sheet, UNO_QUERY_THROW);
    Reference<css::container::XIndexAccess> shapes(supplier->getDrawPage(), UNO_QUERY_THROW);
    if (shapes->getCount() != 1)
        return false;
    Reference<css::beans::XPropertySet> shape(shapes->getByIndex(0), UNO_QUERY);
    Reference<css::lang::XServiceInfo> info(shape, UNO_QUERY);
    if (!info.is() || !info->supportsService("com.sun.star.drawing.OLE2Shape"))
        return false;
    rtl::OUString clsid;
    try {
        shape->getPropertyValue("CLSID") >>= clsid;
    } catch (const css::uno::Exception &) {
        return false;
    }
    return clsid.equalsIgnoreAsciiCase("12dcae26-281f-416f-a234-c3086127382e");
}

CellBlock usedCellsOf(const Reference<css::sheet::XSpreadsheet> &sheet)
{
    Reference<css::sheet::XSheetCellCursor> cursor = sheet->createCursor();
    Reference<css::sheet::XUsedAreaCursor> used(cursor, UNO_QUERY_THROW);
    used->gotoStartOfUsedArea(false);
    used->gotoEndOfUsedArea(true);
    css::table::CellRangeAddress a =
        Reference<css::sheet::XCellRangeAddressable>(cursor, UNO_QUERY_THROW)->getRangeAddress();
    return CellBlock{a.StartColumn, a.StartRow, a.EndColumn, a.EndRow};
}

ModelRect cellAreaOf(const Reference<css::sheet::XSpreadsheet> &sheet, const CellBlock &cells)
{
    Reference<css::table::XCellRange> all(sheet, UNO_QUERY_THROW);
    Reference<css::beans::XPropertySet> range(
        all->getCellRangeByPosition(cells.firstColumn, cells.firstRow, cells.lastColumn, cells.lastRow),
        UNO_QUERY_THROW);
    css::awt::Point position;
    css::awt::Size size;
    range->getPropertyValue("Position") >>= position;
    range->getPropertyValue("Size") >>= size;
    return ModelRect{double(position.X), double(position.Y), double(size.Width), double(size.Height)};
}

std::optional<ModelRect> drawingBoundsOf(const Reference<css::sheet::XSpreadsheet> &sheet)
{
    Reference<css::drawing::XDrawPageSupplier> supplier(sheet, UNO_QUERY_THROW);
    Reference<css::container::XIndexAccess> shapes(supplier->getDrawPage(), UNO_QUERY_THROW);
    std::optional<ModelRect> bounds;
    for (sal_Int32 i = 0, n = shapes->getCount(); i < n; ++i) {
        Reference<css::drawing::XShape> shape(shapes->getByIndex(i), UNO_QUERY);
        if (!shape.is())
            continue;
        // A hidden object draws nothing, so it claims no room either. Calc
        // keeps the captions of cell comments on a layer of its own
        // ("intern"), drawn only while a comment is shown, and objects it
        // hides on the layer "hidden": neither is content of the sheet.
        Reference<css::beans::XPropertySet> properties(shape, UNO_QUERY);
        if (properties.is()) {
            const Reference<css::beans::XPropertySetInfo> info = properties->getPropertySetInfo();
            bool visible = true;
            if (info->hasPropertyByName("Visible"))
                properties->getPropertyValue("Visible") >>= visible;
            rtl::OUString layer;
            if (info->hasPropertyByName("LayerName"))
                properties->getPropertyValue("LayerName") >>= layer;
            if (!visible || layer == "intern" || layer == "hidden")
                continue;
        }
        const css::awt::Point at = shape->getPosition();
        const css::awt::Size size = shape->getSize();
        ModelRect r{double(at.X), double(at.Y), double(size.Width), double(size.Height)};
        bounds = bounds ? unitedRect(*bounds, r) : r;
    }
    return bounds;
}

std::string nameOf(const Reference<css::sheet::XSpreadsheet> &sheet)
{
    Reference<css::container::XNamed> named(sheet, UNO_QUERY_THROW);
    return fromOUString(named->getName());
}

} // namespace folivex::office
