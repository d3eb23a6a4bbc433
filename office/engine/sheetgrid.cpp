#include "office/engine/sheetgrid.h"

#include "office/engine/uno.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/text/WritingMode2.hpp>

namespace folivex::office {

namespace css = ::com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace {

// Calc keeps lengths in twips and reports them in 1/100 mm rounded; a twip
// is 1.76 of them, so rounding back gives the twips exactly.
long twipsOfHundredthsMm(sal_Int32 v)
{
    return long((int64_t(v) * 72 + 63) / 127);
}

// Reads lines (columns or rows) from index `lines.size()` on until their
// sizes reach `twips` in total, or the sheet has no more.
void readLines(const Reference<css::container::XIndexAccess> &access, const char *size, std::vector<long> &lines,
               long &end, long twips)
{
    const sal_Int32 count = access->getCount();
    while (end < twips && sal_Int32(lines.size()) < count) {
        Reference<css::beans::XPropertySet> line(access->getByIndex(sal_Int32(lines.size())), UNO_QUERY_THROW);
        const long length =
            propertyOf<bool>(line, "IsVisible") ? twipsOfHundredthsMm(propertyOf<sal_Int32>(line, size)) : 0;
        lines.push_back(length);
        end += length;
    }
}

} // namespace

SheetGrid::SheetGrid(Reference<css::sheet::XSpreadsheet> sheet) : sheet_(std::move(sheet))
{
    Reference<css::table::XColumnRowRange> range(sheet_, UNO_QUERY_THROW);
    columnAccess_.set(range->getColumns(), UNO_QUERY_THROW);
    rowAccess_.set(range->getRows(), UNO_QUERY_THROW);
    Reference<css::beans::XPropertySet> properties(sheet_, UNO_QUERY_THROW);
    rightToLeft_ = propertyOf<sal_Int16>(properties, "TableLayout") == css::text::WritingMode2::RL_TB;
}

const std::vector<long> &SheetGrid::columnsReaching(long twips)
{
    readLines(columnAccess_, "Width", columns_, columnsEnd_, twips);
    return columns_;
}

const std::vector<long> &SheetGrid::rowsReaching(long twips)
{
    readLines(rowAccess_, "Height", rows_, rowsEnd_, twips);
    return rows_;
}

} // namespace folivex::office
