// The exact bytes of the PDF writer's files, written into memory.
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

#include <regex>

using namespace folivex;
using namespace folivex::test;
using folivex::pdf::WritePdf;

namespace {

std::string text(const MemoryStream &stream)
{
    return std::string(stream.bytes().begin(), stream.bytes().end());
}

struct Written {
    int result;
    std::string file;
    std::vector<std::pair<int, int>> progress;
};

Written write(ScriptedPages &pages, std::int32_t count = -1)
{
    MemoryResult output;
    Written written{};
    pdf::WriterHooks hooks;
    hooks.openOutput = MemoryOpener(output);
    hooks.progress = [&](int maximum, int position) { written.progress.emplace_back(maximum, position); };
    written.result =
        WritePdf("out.pdf", count < 0 ? static_cast<std::int32_t>(pages.pages.size()) : count, pages, hooks);
    written.file = text(output.bytes);
    return written;
}

// The position of object `number`'s "N 0 obj\n" line, as the file states it in its table.
std::uint64_t statedPosition(const std::string &file, int number)
{
    const std::size_t xref = std::stoull(file.substr(file.rfind("startxref\n") + 10));
    const std::size_t firstEntry = file.find('\n', file.find('\n', xref) + 1) + 1;
    return std::stoull(file.substr(firstEntry + 20 * number, 10));
}

bool startsAt(const std::string &file, std::size_t position, const std::string &expected)
{
    return file.compare(position, expected.size(), expected) == 0;
}

} // namespace

TEST(WriterLayout, OnePageFileHasTheKnownLayout)
{
    ScriptedPages pages({FakeJpeg(100, 50, 3, 200)});
    const Written written = write(pages);
    ASSERT_EQ(written.result, pdf::kWritten);
    const std::string &file = written.file;
    EXPECT_EQ(file.size(), 955u);
    const std::uint64_t expected[] = {9, 100, 159, 316, 694};
    for (int object = 1; object <= 5; ++object) {
        EXPECT_EQ(statedPosition(file, object), expected[object - 1]) << "object " << object;
        EXPECT_EQ(file.compare(expected[object - 1], 8, std::to_string(object) + " 0 obj\n"), 0) << object;
    }
    EXPECT_EQ(file.compare(773, 12, "xref\n0 6\n000"), 0);
    EXPECT_NE(file.find("/Size 6\n"), std::string::npos);
    EXPECT_NE(file.find("<< /Length 30 >>\nstream\nq\n100 0 0 50 0 0 cm\n/Im0 Do\nQ\nendstream\n"), std::string::npos);
    EXPECT_TRUE(file.ends_with("startxref\n773\n%%EOF"));
    EXPECT_TRUE(file.starts_with("%PDF-1.2\n1 0 obj\n<<\n/Type /Catalog\n/Pages 2 0 R\n"
                                 "/OpenAction [3 0 R /XYZ -32768 -32768 1 ]\n>>\nendobj\n"));
    EXPECT_EQ(file.find('\r'), std::string::npos);
}

TEST(WriterLayout, TwoPagesWithACmykSecondPage)
{
    ScriptedPages pages({FakeJpeg(612, 792, 3, 1500), FakeJpeg(306, 396, 4, 900)});
    const std::string file = write(pages).file;
    EXPECT_NE(file.find("/Kids [ 3 0 R 4 0 R ]\n/Count 2\n"), std::string::npos);
    const std::uint64_t expected[] = {9, 100, 165, 323};
    for (int object = 1; object <= 4; ++object)
        EXPECT_EQ(statedPosition(file, object), expected[object - 1]) << "object " << object;
    EXPECT_NE(file.find("3 0 obj\n<<\n/Type /Page\n/Parent 2 0 R\n/Resources\n<<\n/XObject << /Im0 5 0 R >>\n"
                        "/ProcSet [ /PDF /ImageC ]\n>>\n/MediaBox [ 0 0 612 792 ]\n/Contents 7 0 R\n>>\nendobj\n"),
              std::string::npos);
    EXPECT_NE(file.find("/MediaBox [ 0 0 306 396 ]\n/Contents 8 0 R\n"), std::string::npos);
    const std::size_t second = file.find("6 0 obj\n");
    ASSERT_NE(second, std::string::npos);
    EXPECT_TRUE(startsAt(file, second,
                         "6 0 obj\n<<\n/Type /XObject\n/Subtype /Image\n/Name /Im0\n/Width 306\n"
                         "/Height 396\n/BitsPerComponent 8\n/Filter [/DCTDecode]\n"
                         "/ColorSpace /DeviceCMYK\n/Decode[1 0 1 0 1 0 1 0]\n/Length 900 >>\n"));
    EXPECT_NE(file.find("/Width 612\n/Height 792\n/BitsPerComponent 8\n/Filter [/DCTDecode]\n"
                        "/ColorSpace /DeviceRGB\n/Length 1500 >>\nstream\n"),
              std::string::npos);
    EXPECT_NE(file.find("<< /Length 31 >>\nstream\nq\n612 0 0 792 0 0 cm\n"), std::string::npos);
    EXPECT_NE(file.find("/Size 9\n"), std::string::npos);
}

TEST(WriterLayout, CrossReferenceEntriesPointAtEveryObject)
{
    ScriptedPages pages({FakeJpeg(10, 20, 3, 300), FakeJpeg(30, 40, 3, 310), FakeJpeg(1234, 5678, 3, 320)});
    const std::string file = write(pages).file;
    const std::size_t xref = std::stoull(file.substr(file.rfind("startxref\n") + 10));
    ASSERT_TRUE(startsAt(file, xref, "xref\n0 12\n0000000000 65535 f \n"));
    const std::regex entry("[0-9]{10} 00000 n \n");
    for (int object = 1; object <= 11; ++object) {
        const std::string line = file.substr(xref + 30 + 20 * (object - 1), 20);
        EXPECT_TRUE(std::regex_match(line, entry)) << line;
        const std::string start = std::to_string(object) + " 0 obj\n";
        EXPECT_EQ(file.compare(statedPosition(file, object), start.size(), start), 0) << "object " << object;
    }
    EXPECT_EQ(file.compare(xref + 30 + 20 * 11, 8, "trailer\n"), 0);
    // Four-digit width and height make a 33-byte content text.
    EXPECT_NE(file.find("<< /Length 33 >>\nstream\nq\n1234 0 0 5678 0 0 cm\n/Im0 Do\nQ\nendstream\n"),
              std::string::npos);
}

TEST(WriterLayout, EndstreamFollowsTheLastImageAndContentByte)
{
    const Bytes jpeg = FakeJpeg(100, 50, 3, 200);
    ScriptedPages pages({jpeg});
    const std::string file = write(pages).file;
    const std::size_t stream = file.find("stream\n\xFF\xD8");
    ASSERT_NE(stream, std::string::npos);
    EXPECT_EQ(file.compare(stream + 7, jpeg.size(), std::string(jpeg.begin(), jpeg.end())), 0);
    EXPECT_EQ(file.compare(stream + 7 + jpeg.size(), 17, "endstream\nendobj\n"), 0);
    EXPECT_NE(file.find("Q\nendstream\nendobj\n"), std::string::npos);
}

TEST(WriterLayout, FrameHeadersAreFoundBehindOtherSegmentsAndInProgressiveFiles)
{
    const Bytes app0{0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
    Bytes dqt{0xFF, 0xDB, 0x00, 0x43, 0x00};
    dqt.resize(dqt.size() + 64, 0x10);
    Bytes before = app0;
    before.insert(before.end(), dqt.begin(), dqt.end());
    ScriptedPages pages({FakeJpeg(321, 123, 3, 400, 0xFFC0, before), FakeJpeg(77, 88, 3, 400, 0xFFC2, app0)});
    const std::string file = write(pages).file;
    EXPECT_NE(file.find("/MediaBox [ 0 0 321 123 ]"), std::string::npos);
    EXPECT_NE(file.find("/MediaBox [ 0 0 77 88 ]"), std::string::npos);
    EXPECT_NE(file.find("/Width 77\n/Height 88\n"), std::string::npos);
}

TEST(WriterLayout, ProgressCountsPagesCapturedThenJpegBytesWritten)
{
    ScriptedPages pages({FakeJpeg(10, 10, 3, 300), FakeJpeg(10, 10, 3, 700)});
    const Written written = write(pages);
    const std::vector<std::pair<int, int>> expected{{2, 1}, {2, 2}, {0, 0}, {1000, 300}, {1000, 1000}, {0, 0}};
    EXPECT_EQ(written.progress, expected);
}

TEST(WriterLayout, EveryPageIsCapturedOnceAndItsMeasuredBytesAreEmbedded)
{
    // Whatever the pages become after the capture pass, the file holds the
    // bytes that pass measured, each page's exactly once.
    const Bytes first = FakeJpeg(612, 792, 3, 500), second = FakeJpeg(100, 50, 1, 321);
    ScriptedPages pages({first, second});
    pages.onCapture = [&](int, int index) {
        if (index == 1)
            pages.pages[0] = FakeJpeg(306, 396, 3, 333);
    };
    const Written written = write(pages);
    ASSERT_EQ(written.result, pdf::kWritten);
    EXPECT_EQ(pages.captures, 2);
    EXPECT_NE(written.file.find("/MediaBox [ 0 0 612 792 ]"), std::string::npos);
    EXPECT_NE(written.file.find("/Width 612\n/Height 792\n"), std::string::npos);
    EXPECT_EQ(written.file.find("/Width 306"), std::string::npos);
    const std::string firstBytes(first.begin(), first.end()), secondBytes(second.begin(), second.end());
    EXPECT_NE(written.file.find("stream\n" + firstBytes + "endstream"), std::string::npos);
    EXPECT_NE(written.file.find("stream\n" + secondBytes + "endstream"), std::string::npos);
    EXPECT_EQ(written.progress.back(), std::make_pair(0, 0));
}

TEST(WriterLayout, GrayImagesAreDeclaredGray)
{
    ScriptedPages pages({FakeJpeg(40, 30, 1, 200)});
    const std::string file = write(pages).file;
    EXPECT_NE(file.find("/Filter [/DCTDecode]\n/ColorSpace /DeviceGray\n/Length 200 >>\n"), std::string::npos);
}

TEST(WriterLayout, ContentObjectsAloneHaveTheirOwnLengths)
{
    MemoryStream stream;
    pdf::WritePageContents(stream, 7, 100, 50);
    EXPECT_EQ(std::string(stream.bytes().begin(), stream.bytes().end()),
              "7 0 obj\n<< /Length 30 >>\nstream\nq\n100 0 0 50 0 0 cm\n/Im0 Do\nQ\nendstream\nendobj\n");
}

// A page's image has its pixels; its page has the points those pixels cover
// at the page's resolution, and the image is drawn over all of it.
TEST(WriterLayout, PagesAreTheirImagesSizeInPointsAtEachPagesResolution)
{
    // Letter at 150 dpi, a 960 x 540 slide at 300 dpi, 500 x 333 points at
    // 150 dpi (1042 x 694 pixels, which are 500.16 x 333.12 points), and a
    // page at 72 dpi whose pixels are its points.
    ScriptedPages pages({FakeJpeg(1275, 1650, 3, 700), FakeJpeg(4000, 2250, 3, 700), FakeJpeg(1042, 694, 3, 700),
                         FakeJpeg(100, 50, 3, 200)});
    pages.resolutions = {150, 300, 150, 72};
    pages.detach = [](int index) { return index % 2 == 1; }; // also through the encoding thread
    const Written written = write(pages);
    ASSERT_EQ(written.result, pdf::kWritten);
    const std::string &file = written.file;
    const std::pair<const char *, const char *> expected[] = {
        {"/MediaBox [ 0 0 612 792 ]", "q\n612 0 0 792 0 0 cm\n"},
        {"/MediaBox [ 0 0 960 540 ]", "q\n960 0 0 540 0 0 cm\n"},
        {"/MediaBox [ 0 0 500 333 ]", "q\n500 0 0 333 0 0 cm\n"},
        {"/MediaBox [ 0 0 100 50 ]", "q\n100 0 0 50 0 0 cm\n"},
    };
    std::size_t box = 0, content = 0;
    for (const auto &[mediaBox, matrix] : expected) {
        box = file.find(mediaBox, box);
        content = file.find(matrix, content);
        EXPECT_NE(box, std::string::npos) << mediaBox;
        EXPECT_NE(content, std::string::npos) << matrix;
    }
    const std::regex widths("/Width ([0-9]+)\n/Height ([0-9]+)\n");
    std::vector<std::string> sizes;
    for (auto match = std::sregex_iterator(file.begin(), file.end(), widths); match != std::sregex_iterator(); ++match)
        sizes.push_back((*match)[1].str() + "x" + (*match)[2].str());
    EXPECT_EQ(sizes, (std::vector<std::string>{"1275x1650", "4000x2250", "1042x694", "100x50"}));
}
