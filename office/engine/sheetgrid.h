// SheetGrid: the widths of a sheet's columns and the heights of its rows in
// twips, as Calc lays its cells out (a hidden or filtered line is 0 wide),
// read through the sheet's UNO model as far as they are asked for and kept:
// the document is open read-only, so they stay. Private to the engine.
// Every member throws folivex::Error when a property cannot be read;
// LibreOffice's own exceptions pass through (see unoGuarded).
#pragma once

#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/table/XTableColumns.hpp>
#include <com/sun/star/table/XTableRows.hpp>

#include <vector>

namespace folivex::office {

class SheetGrid {
public:
    explicit SheetGrid(css::uno::Reference<css::sheet::XSpreadsheet> sheet);

    // The sizes of the sheet's first columns (rows), from column A (row 1)
    // on, until they reach `twips` from the sheet's corner or the sheet
    // ends; they may hold more.
    const std::vector<long> &columnsReaching(long twips);
    const std::vector<long> &rowsReaching(long twips);

    // Columns laid out from the right (a right-to-left sheet).
    bool rightToLeft() const { return rightToLeft_; }

private:
    css::uno::Reference<css::sheet::XSpreadsheet> sheet_;
    css::uno::Reference<css::container::XIndexAccess> columnAccess_, rowAccess_;
    std::vector<long> columns_, rows_;
    long columnsEnd_ = 0, rowsEnd_ = 0;
    bool rightToLeft_ = false;
};

} // namespace folivex::office
