// PowerPoint over Impress: slide counts, slide sizes and slide pictures.
#include "platform/clipboard.h"
#include "tests/office/officetesting.h"

#include <gtest/gtest.h>

using namespace folivex;
using namespace folivex::testing;
using automation::Variant;

namespace {

struct Deck {
    std::string file;
    int slides;
    double width, height;
};

class PowerPointDecks : public ::testing::TestWithParam<Deck> {};

} // namespace

TEST_P(PowerPointDecks, CountsSizesAndPicturesOfEverySlide)
{
    const Deck &deck = GetParam();
    Variant app = openPowerPoint(deck.file);
    Variant presentation = app.read("ActivePresentation");
    ASSERT_EQ(presentation.read("Slides").read("Count").toInt32(), deck.slides);
    Variant setup = presentation.read("PageSetup");
    EXPECT_NEAR(setup.read("SlideWidth").toDouble(), deck.width, 0.1);
    EXPECT_NEAR(setup.read("SlideHeight").toDouble(), deck.height, 0.1);
    int w = setup.read("SlideWidth").toInt32();
    int h = setup.read("SlideHeight").toInt32();

    std::vector<QImage> pictures;
    for (int n = 1; n <= deck.slides; ++n) {
        app.read("ActivePresentation").read("Slides").call("Range", {int32_t(n)}).call("select");
        app.read("ActivePresentation").read("Slides").call("Range", {int32_t(n)}).call("copy");
        EXPECT_EQ(clipboard::ProcessClipboard().formats(), (std::vector<uint32_t>{14}));
        QImage slide = playClipboard(w, h);
        // The title frame at one inch holds text; the right-hand edge is empty.
        EXPECT_GT(ink(slide, QRect(72, 72, 432, 144)), 50) << "slide " << n;
        EXPECT_EQ(ink(slide, QRect(w - 40, 0, 40, h)), 0) << "slide " << n;
        pictures.push_back(slide);
    }
    // Each slide has its own number and a rectangle of its own width.
    EXPECT_NE(pictures[0], pictures[1]);
    app.call("Quit");
}

INSTANTIATE_TEST_SUITE_P(PowerPoint, PowerPointDecks,
                         ::testing::Values(Deck{"wide16x9.pptx", 3, 960, 540}, Deck{"wide16x9.ppt", 3, 960, 540},
                                           Deck{"classic4x3.pptx", 2, 720, 540}, Deck{"classic4x3.ppt", 2, 720, 540}),
                         [](const ::testing::TestParamInfo<Deck> &info) {
                             std::string name = info.param.file;
                             for (char &c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

TEST(PowerPointSlides, ASlideOutsideThePresentationIsAnError)
{
    Variant app = automation::CreateOleObject("PowerPoint.Application");
    EXPECT_EQ(errorText([&] { app.read("ActivePresentation"); }),
              "Application.ActivePresentation: No presentation is open");
    app.read("Presentations").call("Open", {fixture("classic4x3.pptx")});
    Variant slides = app.read("ActivePresentation").read("Slides");
    EXPECT_EQ(errorText([&] { slides.call("Range", {int32_t(0)}); }),
              "Slides.Range: slide 0 does not exist (the presentation has 2)");
    EXPECT_EQ(errorText([&] { slides.call("Range", {int32_t(3)}); }),
              "Slides.Range: slide 3 does not exist (the presentation has 2)");
    app.call("Quit");
}
