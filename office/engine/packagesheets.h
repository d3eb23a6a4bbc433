// The chart sheets an Office Open XML workbook declares, read from the file
// itself: the sheets of its workbook part whose relationship is of the
// chart sheet type. LibreOffice imports a chart sheet as a sheet holding
// one chart and no cells, which a worksheet holding only a chart is as
// well; only the file tells them apart. Private to the engine.
#pragma once

#include <optional>
#include <set>
#include <string>

namespace folivex::office {

// The names of the chart sheets of the workbook at `fileUrl` (a file URL),
// as LibreOffice names its sheets. None when the file is no Office Open XML
// package with an XML workbook part (a .xls or .xlsb workbook, a damaged
// package): the file cannot tell, and the caller decides another way.
// Never throws.
std::optional<std::set<std::string>> chartSheetsOfPackage(const std::string &fileUrl);

} // namespace folivex::office
