// The size percentage: parsing its text and the rounding of page sizes.
#pragma once

#include <cstdint>
#include <string>

namespace folivex::convert {

// Parses the size percentage text as the settings dialog does: the regional
// decimal separator, blanks around it allowed. Throws folivex::Error("'TEXT' is not a valid
// floating point value") for a text that is no number.
long double ParseSizePercent(const std::string &text);

// As ParseSizePercent, and also refuses a number outside 30 to 100 (the
// settings dialog's close box lets one through) with a text that says so.
long double CheckedSizePercent(const std::string &text);

// The nearest integer, ties to the even neighbour (0.5 -> 0, 1.5 -> 2, 2.5 -> 2).
std::int64_t RoundHalfEven(long double value);

// (percent / 100) x points, the division first, rounded half to even.
std::int64_t ScaledPixels(long double percent, std::int64_t points);

} // namespace folivex::convert
