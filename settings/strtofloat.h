// Reading the size percentage text as a number.
#pragma once

#include <QString>

namespace folivex::settings {

// Converts `text` to a number with the decimal separator of QLocale::system();
// blanks around the number are allowed, group separators are not, and only
// finite numbers count. Throws folivex::Error with the text
// "'TEXT' is not a valid floating point value" otherwise. The value is read
// in extended precision: 30.1 is the long double nearest to 30.1, not the
// double, so sizes computed from it round as the decimal text says.
long double StrToFloat(const QString &text);

} // namespace folivex::settings
