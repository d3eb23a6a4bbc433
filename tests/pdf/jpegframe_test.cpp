// Measuring JPEG frame headers, including streams that are not JPEG files.
#include "core/error.h"
#include "pdf/jpegframe.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

using namespace folivex;
using namespace folivex::test;
using folivex::pdf::JpegColour;
using folivex::pdf::JpegFrame;

namespace {

bool scan(const Bytes &bytes, JpegFrame &frame)
{
    MemoryStream stream(bytes);
    return pdf::ScanJpegFrameHeader(stream, frame);
}

} // namespace

TEST(JpegFrameHeader, MeasuresRealFiles)
{
    JpegFrame frame;
    ASSERT_TRUE(scan(RealJpeg(613, 401), frame));
    EXPECT_EQ(frame.width, 613);
    EXPECT_EQ(frame.height, 401);
    EXPECT_EQ(frame.colour, JpegColour::Rgb);
}

TEST(JpegFrameHeader, RejectsWhatHasNoUsableFrame)
{
    JpegFrame frame;
    frame.width = 7;
    EXPECT_FALSE(scan(Bytes{0x89, 'P', 'N', 'G'}, frame)) << "no SOI";
    EXPECT_FALSE(scan(Bytes{0xFF, 0xD8, 0xFF, 0xD9}, frame)) << "EOI before a frame";
    EXPECT_FALSE(scan(Bytes{0xFF, 0xD8, 0xFF, 0xFF}, frame)) << "fill bytes";
    EXPECT_EQ(frame.width, 7) << "nothing stored";
}

TEST(JpegFrameHeader, ASegmentLengthBelowTwoEndsTheScan)
{
    JpegFrame frame;
    EXPECT_FALSE(scan(Bytes{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x00, 0xFF, 0xE0, 0x00, 0x00}, frame));
    EXPECT_FALSE(scan(Bytes{0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x01}, frame));
}

TEST(JpegFrameHeader, AnUnknownComponentCountKeepsTheSizeAndColour)
{
    JpegFrame frame;
    frame.colour = JpegColour::Cmyk;
    EXPECT_FALSE(scan(FakeJpeg(50, 60, 2, 100), frame));
    EXPECT_EQ(frame.width, 50);
    EXPECT_EQ(frame.height, 60);
    EXPECT_EQ(frame.colour, JpegColour::Cmyk);
}

TEST(JpegFrameHeader, StreamsThatEndEarlyAreReadErrors)
{
    JpegFrame frame;
    for (const Bytes &bytes : {Bytes{}, Bytes{0xFF}, Bytes{0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x11, 0x08, 0x01}}) {
        try {
            scan(bytes, frame);
            FAIL() << "a stream of " << bytes.size() << " bytes";
        } catch (const Error &error) {
            EXPECT_EQ(error.text(), "Stream read error");
        }
    }
}
