#include "office/models/workbook.h"

#include "core/error.h"
#include "office/models/cellrange.h"
#include "office/engine/uno.h"
#include "office/models/worksheet.h"
#include "office/models/worksheets.h"

#define LOK_USE_UNSTABLE_API
#include <LibreOfficeKit/LibreOfficeKit.hxx>

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/drawing/XDrawPageSupplier.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/sheet/XCellRangesQuery.hpp>
#include <com/sun/star/sheet/XSheetCellRanges.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>

#include <algorithm>

namespace folivex::office {

namespace css = ::com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

Reference<css::container::XIndexAccess> sheetsOf(const OfficeDocument &document)
{
    Reference<css::sheet::XSpreadsheetDocument> spreadsheet(document.model(), UNO_QUERY_THROW);
    return Reference<css::container::XIndexAccess>(spreadsheet->getSheets(), UNO_QUERY_THROW);
}

// A chart sheet arrives as a sheet with no cell content whose drawing layer
// holds exactly one object, a chart.
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

} // namespace

Workbook::Workbook(std::shared_ptr<OfficeDocument> document, HostContext &context)
    : document_(std::move(document)), context_(context)
{
    auto sheets = sheetsOf(*document_);
    for (sal_Int32 i = 0; i < sheets->getCount(); ++i)
        if (!isChartSheet(sheet(i)))
            worksheets_.push_back(i);
    active_ = document_->lok().getPart();

    property("Worksheets", [this](const HostArgs &args) -> HostValue {
        auto all = std::make_shared<Worksheets>(std::static_pointer_cast<Workbook>(shared_from_this()));
        if (args.empty())
            return all;
        return all->item(intArgument(args, 0, "Worksheets"));
    });
    property("ActiveSheet", [this](const HostArgs &) -> HostValue { return activeSheet(); });
}

Reference<css::sheet::XSpreadsheet> Workbook::sheet(int32_t index) const
{
    return Reference<css::sheet::XSpreadsheet>(sheetsOf(*document_)->getByIndex(index), UNO_QUERY_THROW);
}

std::shared_ptr<Worksheet> Workbook::activeSheet()
{
    return std::make_shared<Worksheet>(std::static_pointer_cast<Workbook>(shared_from_this()), active_);
}

void Workbook::activate(int32_t sheet)
{
    if (sheet != active_) {
        document_->lok().setPart(sheet);
        active_ = sheet;
        selection_.reset();
    }
}

std::shared_ptr<CellRange> Workbook::selection()
{
    if (!selection_ || selection_->sheet() != active_)
        selection_ = std::make_shared<CellRange>(std::static_pointer_cast<Workbook>(shared_from_this()), active_, 0, 0, 0, 0);
    return selection_;
}

void Workbook::select(std::shared_ptr<CellRange> range)
{
    activate(range->sheet());
    selection_ = std::move(range);
}

} // namespace folivex::office
