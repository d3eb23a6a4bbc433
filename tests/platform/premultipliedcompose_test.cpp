// The composition of LibreOffice's premultiplied rendering over a 24-bit
// row: the wide path for opaque pixels must give what pixel-by-pixel
// composition gives, at every row length, and never write past the row.
#include "platform/premultipliedcompose.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

using folivex::automation::ComposePremultipliedRow;

namespace {

// Source-over of one premultiplied pixel, rounded to nearest.
void composeOne(const std::uint8_t *s, std::uint8_t *d)
{
    const unsigned a = s[3];
    for (int c = 0; c < 3; ++c)
        d[c] = std::uint8_t(s[2 - c] + (d[c] * (255 - a) + 127) / 255);
}

// A premultiplied pixel: each colour at most its alpha.
void randomPixel(std::mt19937 &random, std::uint8_t *p, unsigned alpha)
{
    for (int c = 0; c < 3; ++c)
        p[c] = std::uint8_t(alpha == 0 ? 0 : random() % (alpha + 1));
    p[3] = std::uint8_t(alpha);
}

} // namespace

TEST(PremultipliedCompose, EveryLengthAndMixOfOpaqueAndTranslucentPixels)
{
    std::mt19937 random(7);
    for (int count = 0; count <= 70; ++count) {
        for (int translucentEvery : {0, 1, 5, 23}) {
            std::vector<std::uint8_t> bgra(std::size_t(count) * 4);
            for (int x = 0; x < count; ++x) {
                const bool translucent = translucentEvery != 0 && x % translucentEvery == 0;
                randomPixel(random, &bgra[std::size_t(x) * 4], translucent ? unsigned(random() % 255) : 255u);
            }
            // The row, then guard bytes that must come back untouched.
            std::vector<std::uint8_t> row(std::size_t(count) * 3 + 16);
            for (std::uint8_t &b : row)
                b = std::uint8_t(random());
            std::vector<std::uint8_t> expected = row;
            for (int x = 0; x < count; ++x)
                composeOne(&bgra[std::size_t(x) * 4], &expected[std::size_t(x) * 3]);
            ComposePremultipliedRow(bgra.data(), row.data(), count);
            EXPECT_EQ(row, expected) << count << " pixels, translucent every " << translucentEvery;
        }
    }
}

TEST(PremultipliedCompose, ClearPixelsKeepTheTargetAndOpaqueOnesReplaceIt)
{
    const std::uint8_t bgra[] = {0, 0, 0, 0, 10, 20, 30, 255, 0, 0, 128, 128};
    std::uint8_t rgb[] = {1, 2, 3, 4, 5, 6, 200, 200, 200};
    ComposePremultipliedRow(bgra, rgb, 3);
    const std::uint8_t expected[] = {1, 2, 3, 30, 20, 10, 128 + 100, 100, 100};
    EXPECT_EQ(std::vector<std::uint8_t>(rgb, rgb + 9), std::vector<std::uint8_t>(expected, expected + 9));
}
