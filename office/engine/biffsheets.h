// The chart sheets an Excel 97-2003 (BIFF8) workbook declares, read from
// the file itself: the sheets its workbook globals list with the chart
// sheet type. Private to the engine.
#pragma once

#include <optional>
#include <set>
#include <string>

namespace folivex::office {

// The names of the chart sheets of the workbook at `fileUrl` (a file URL),
// as LibreOffice names its sheets. None when the file is no unprotected
// BIFF8 workbook (an older Excel file, a protected or damaged one, no
// compound file at all). Never throws.
std::optional<std::set<std::string>> chartSheetsOfBiff(const std::string &fileUrl);

} // namespace folivex::office
