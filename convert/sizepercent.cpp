#include "sizepercent.h"

#include "core/error.h"

#include "settings/strtofloat.h"

#include <cmath>

namespace folivex::convert {

long double ParseSizePercent(const std::string &text)
{
    return settings::StrToFloat(QString::fromStdString(text));
}

long double CheckedSizePercent(const std::string &text)
{
    const long double value = ParseSizePercent(text);
    if (value < 30 || value > 100)
        throw Error("The size percentage '" + text + "' is not between 30 and 100.");
    return value;
}

std::int64_t RoundHalfEven(long double value)
{
    // llrintl rounds in the current mode; the program never leaves the
    // default, which is to nearest with ties to even.
    return std::llrintl(value);
}

std::int64_t ScaledPixels(long double percent, std::int64_t points)
{
    return RoundHalfEven((percent / 100.0L) * static_cast<long double>(points));
}

} // namespace folivex::convert
