// The resolution setting's text and the conversion between points and pixels.
#include "core/error.h"
#include "core/resolution.h"

#include <gtest/gtest.h>

using namespace folivex;

TEST(Resolution, WholeNumbersFrom72To600AreTakenAndNothingElse)
{
    EXPECT_EQ(CheckedResolution("72"), 72);
    EXPECT_EQ(CheckedResolution(" 150 "), 150);
    EXPECT_EQ(CheckedResolution("600"), 600);
    for (const std::string text :
         {"71", "601", "0", "-150", "150.5", "150dpi", "abc", "", " ", "1e2", "99999999999999999999"}) {
        try {
            CheckedResolution(text);
            ADD_FAILURE() << "'" << text << "' was taken";
        } catch (const Error &error) {
            EXPECT_EQ(error.text(), "The resolution '" + text + "' is not a whole number from 72 to 600 dpi.");
        }
    }
}

TEST(Resolution, EveryPageSizeInWholePointsComesBackFromItsPixels)
{
    // The PDF page of an image is its pixels in whole points: for every
    // resolution and page size, those are the points the page was drawn at.
    for (std::int32_t resolution = kLowestResolution; resolution <= kHighestResolution; ++resolution)
        for (std::int64_t points = 1; points <= 3000; ++points)
            ASSERT_EQ(PointsOfPixels(PixelsOfPoints(points, resolution), resolution), points)
                << points << " pt at " << resolution << " dpi";
    EXPECT_EQ(PixelsOfPoints(612, 72), 612);
    EXPECT_EQ(PixelsOfPoints(612, 150), 1275);
    EXPECT_EQ(PixelsOfPoints(5, 150), 10) << "10.42 rounds down";
    EXPECT_EQ(PointsOfPixels(1, 600), 1) << "a pixel of a page is at least a point";
    EXPECT_EQ(PointsOfPixels(0, 150), 0);
}
