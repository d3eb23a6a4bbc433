// Files the writer and folivex-jpeg2pdf produce, as PDF tools read them.
#include "tests/support/testsupport.h"

#include <QImage>

#include <gtest/gtest.h>

#include <regex>

using namespace folivex;
using namespace folivex::test;

namespace {

std::string jpeg2pdf()
{
    return FOLIVEX_JPEG2PDF;
}

std::filesystem::path writeJpeg(const TempFolder &folder, const std::string &name, const Bytes &jpeg)
{
    const auto path = folder / name;
    WriteFile(path, std::string(jpeg.begin(), jpeg.end()));
    return path;
}

} // namespace

TEST(WriterViewers, RealPagesPassQpdfAndListAtTheirSizes)
{
    TempFolder folder;
    ScriptedPages pages({RealJpeg(612, 792), RealJpeg(792, 612, Qt::darkRed), RealCmykJpeg(306, 396)});
    const auto output = folder / "three.pdf";
    ASSERT_EQ(pdf::WritePdf(output.string(), 3, pages, {}), pdf::kWritten);
    EXPECT_EQ(QpdfProblems(output), "");
    const auto images = ListImages(output);
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ((std::vector<int>{images[0].page, images[0].width, images[0].height}), (std::vector<int>{1, 612, 792}));
    EXPECT_EQ((std::vector<int>{images[1].page, images[1].width, images[1].height}), (std::vector<int>{2, 792, 612}));
    EXPECT_EQ((std::vector<int>{images[2].page, images[2].width, images[2].height}), (std::vector<int>{3, 306, 396}));
    EXPECT_EQ(images[0].colour, "rgb");
    EXPECT_EQ(images[2].colour, "cmyk");
    EXPECT_EQ(images[0].encoding, "jpeg");
}

TEST(WriterViewers, PagesRenderAsTheirImages)
{
    TempFolder folder;
    ScriptedPages pages({RealJpeg(200, 100, Qt::black)});
    const auto output = folder / "one.pdf";
    ASSERT_EQ(pdf::WritePdf(output.string(), 1, pages, {}), pdf::kWritten);
    const CommandResult rendered =
        RunCommand("pdftoppm -r 72 -png '" + output.string() + "' '" + (folder / "page").string() + "'");
    ASSERT_EQ(rendered.exitCode, 0) << rendered.output;
    const QImage page(QString::fromStdString((folder / "page-1.png").string()));
    ASSERT_EQ(page.size(), QSize(200, 100)) << "one pixel is one point";
    EXPECT_LT(qGray(page.pixel(11, 50)), 80) << "the frame's ink";
    EXPECT_GT(qGray(page.pixel(100, 25)), 230) << "white paper";
}

TEST(WriterViewers, TheCommandWritesJpegFilesAsPages)
{
    TempFolder folder;
    const auto a = writeJpeg(folder, "a.jpg", RealJpeg(612, 792));
    const auto b = writeJpeg(folder, "b.jpg", RealJpeg(300, 200));
    const auto output = folder / "out.pdf";
    const CommandResult result =
        RunCommand(jpeg2pdf() + " '" + output.string() + "' '" + a.string() + "' '" + b.string() + "'");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.output, "-2\n");
    EXPECT_EQ(QpdfProblems(output), "");
    const auto images = ListImages(output);
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[1].width, 300);
    EXPECT_EQ(images[1].height, 200);
}

TEST(WriterViewers, TheCommandNamesWhatItCannotRead)
{
    TempFolder folder;
    const auto output = folder / "out.pdf";
    const CommandResult missing =
        RunCommand(jpeg2pdf() + " '" + output.string() + "' '" + (folder / "none.jpg").string() + "'");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.output.find("none.jpg: page 1: reading: No such file or directory"), std::string::npos)
        << missing.output;
    EXPECT_FALSE(std::filesystem::exists(output));

    const CommandResult usage = RunCommand(jpeg2pdf() + " only-an-output.pdf");
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_NE(usage.output.find("usage: folivex-jpeg2pdf [--resolution DPI] OUTPUT.pdf INPUT.jpg..."),
              std::string::npos);

    const CommandResult wrong = RunCommand(jpeg2pdf() + " --resolution 50 '" + output.string() + "' a.jpg");
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_EQ(wrong.output, "folivex-jpeg2pdf: The resolution '50' is not a whole number from 72 to 600 dpi.\n");
    EXPECT_FALSE(std::filesystem::exists(output));
}

// At 150 dpi a JPEG of 1275 x 1650 pixels is a Letter page, drawn over all of it.
TEST(WriterViewers, TheCommandSizesPagesAtTheResolutionGiven)
{
    TempFolder folder;
    const auto letter = writeJpeg(folder, "letter.jpg", RealJpeg(1275, 1650, Qt::black));
    const auto output = folder / "out.pdf";
    ASSERT_EQ(RunCommand(jpeg2pdf() + " --resolution 150 '" + output.string() + "' '" + letter.string() + "'").exitCode,
              0);
    EXPECT_EQ(QpdfProblems(output), "");
    const CommandResult info = RunCommand("pdfinfo '" + output.string() + "'");
    EXPECT_TRUE(std::regex_search(info.output, std::regex("Page size: +612 x 792 pts"))) << info.output;
    const CommandResult rendered =
        RunCommand("pdftoppm -r 150 -png '" + output.string() + "' '" + (folder / "page").string() + "'");
    ASSERT_EQ(rendered.exitCode, 0) << rendered.output;
    const QImage page(QString::fromStdString((folder / "page-1.png").string()));
    ASSERT_EQ(page.size(), QSize(1275, 1650));
    EXPECT_LT(qGray(page.pixel(11, 825)), 80) << "the frame's ink at the page's left edge";
}
