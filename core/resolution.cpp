#include "resolution.h"

#include "core/error.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace folivex {

std::int32_t CheckedResolution(const std::string &text)
{
    std::size_t first = 0, last = text.size();
    while (first < last && std::isspace(static_cast<unsigned char>(text[first])))
        ++first;
    while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1])))
        --last;
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data() + first, text.data() + last, value);
    if (first == last || error != std::errc() || end != text.data() + last || value < kLowestResolution ||
        value > kHighestResolution)
        throw Error("The resolution '" + text + "' is not a whole number from 72 to 600 dpi.");
    return value;
}

std::int64_t PixelsOfPoints(std::int64_t points, std::int32_t resolution)
{
    if (resolution == 72)
        return points;
    return std::llrintl(static_cast<long double>(points) * resolution / 72.0L);
}

std::int64_t PointsOfPixels(std::int64_t pixels, std::int32_t resolution)
{
    if (resolution == 72 || resolution <= 0 || pixels <= 0)
        return pixels;
    // Pixels made from whole points by PixelsOfPoints lie less than half a
    // point from them above 72 dpi, so rounding gives the points back.
    return std::max<std::int64_t>(1, std::llrintl(static_cast<long double>(pixels) * 72.0L / resolution));
}

} // namespace folivex
