#include "settings/strtofloat.h"

#include "core/error.h"

#include <QLocale>
#include <cmath>

namespace folivex::settings {

double StrToFloat(const QString &text)
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = locale.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        throw Error("'" + text.toStdString() + "' is not a valid floating point value");
    return value;
}

} // namespace folivex::settings
