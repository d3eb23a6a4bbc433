#include "office/models/worksheet.h"

#include "office/models/cellrange.h"
#include "office/models/pagesetup.h"
#include "office/engine/uno.h"
#include "office/models/workbook.h"

#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XSheetCellCursor.hpp>
#include <com/sun/star/sheet/XUsedAreaCursor.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>

namespace folivex::office {

namespace css = ::com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

Worksheet::Worksheet(std::shared_ptr<Workbook> workbook, int32_t sheet) : workbook_(std::move(workbook)), sheet_(sheet)
{
    method("Activate", [this](const HostArgs &) -> HostValue {
        workbook_->activate(sheet_);
        return {};
    });
    property("UsedRange", [this](const HostArgs &) -> HostValue {
        auto sheet = workbook_->sheet(sheet_);
        Reference<css::sheet::XSheetCellCursor> cursor = sheet->createCursor();
        Reference<css::sheet::XUsedAreaCursor> used(cursor, UNO_QUERY_THROW);
        used->gotoStartOfUsedArea(false);
        used->gotoEndOfUsedArea(true);
        css::table::CellRangeAddress a = Reference<css::sheet::XCellRangeAddressable>(cursor, UNO_QUERY_THROW)->getRangeAddress();
        return std::make_shared<CellRange>(workbook_, sheet_, a.StartColumn, a.StartRow, a.EndColumn, a.EndRow);
    });
    property("PageSetup", [this](const HostArgs &) -> HostValue {
        Reference<css::beans::XPropertySet> sheet(workbook_->sheet(sheet_), UNO_QUERY_THROW);
        rtl::OUString name = propertyOf<rtl::OUString>(sheet, "PageStyle");
        Reference<css::style::XStyleFamiliesSupplier> families(workbook_->document()->model(), UNO_QUERY_THROW);
        Reference<css::container::XNameAccess> styles(families->getStyleFamilies()->getByName("PageStyles"),
                                                      UNO_QUERY_THROW);
        Reference<css::beans::XPropertySet> style(styles->getByName(name), UNO_QUERY_THROW);
        return std::make_shared<PageSetup>(PageSetup::ofPageStyle(style));
    });
    property("Name", [this](const HostArgs &) -> HostValue {
        Reference<css::container::XNamed> named(workbook_->sheet(sheet_), UNO_QUERY_THROW);
        return fromOUString(named->getName());
    });
    property("Index", [this](const HostArgs &) -> HostValue { return sheet_ + 1; });
}

} // namespace folivex::office
