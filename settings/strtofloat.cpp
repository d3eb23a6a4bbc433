#include "settings/strtofloat.h"

#include "core/error.h"

#include <QLocale>

#include <charconv>
#include <cmath>

namespace folivex::settings {

long double StrToFloat(const QString &text)
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const QString trimmed = text.trimmed();
    const double value = locale.toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        throw Error("'" + text.toStdString() + "' is not a valid floating point value");

    // The locale accepted it; read the same digits again at full precision.
    QString plain = trimmed;
    plain.replace(locale.decimalPoint(), QStringLiteral("."));
    plain.replace(locale.negativeSign(), QStringLiteral("-"));
    if (plain.startsWith(locale.positiveSign()))
        plain.remove(0, locale.positiveSign().size());
    const QByteArray ascii = plain.toLatin1();
    long double extended = 0;
    const auto [end, error] = std::from_chars(ascii.constData(), ascii.constData() + ascii.size(), extended);
    // Digits of another script: the double is what can be had.
    if (error != std::errc() || end != ascii.constData() + ascii.size())
        return value;
    return extended;
}

} // namespace folivex::settings
