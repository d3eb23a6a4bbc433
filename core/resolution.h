// The resolution of the page images: how many pixels an inch of the page
// has. The page keeps its size in points (1/72 inch) at every resolution;
// its image has resolution/72 times as many pixels each way.
#pragma once

#include <cstdint>
#include <string>

namespace folivex {

inline constexpr std::int32_t kLowestResolution = 72;
inline constexpr std::int32_t kHighestResolution = 600;
inline constexpr const char *kDefaultResolution = "72";

// Parses a resolution text: a whole number of dots per inch from 72 to 600,
// blanks around it allowed. Throws folivex::Error("The resolution 'TEXT' is
// not a whole number from 72 to 600 dpi.") for anything else.
std::int32_t CheckedResolution(const std::string &text);

// `points` (1/72 inch) in pixels at `resolution`, rounded half to even. At
// 72 dpi a point is a pixel. For a whole number of points the page size
// comes back from the pixels: PointsOfPixels(PixelsOfPoints(p, r), r) == p.
std::int64_t PixelsOfPoints(std::int64_t points, std::int32_t resolution);

// The whole points that `pixels` at `resolution` cover, at least 1 for a
// page of any pixels (no pixels give no points).
std::int64_t PointsOfPixels(std::int64_t pixels, std::int32_t resolution);

} // namespace folivex
