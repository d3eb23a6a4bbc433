// Word over Writer: page counts, page geometry in points and the page
// pictures, on .docx and .doc made from the project's documents.
#include "platform/clipboard.h"
#include "tests/office/officetesting.h"

#include <gtest/gtest.h>

using namespace folivex;
using namespace folivex::testing;
using automation::DispatchRef;
using automation::Variant;

namespace {

int pageCount(const Variant &app)
{
    return app.read("Application").read("Selection").get("Information", {int32_t(4)}).toInt32();
}

struct Geometry {
    double left, right, top, bottom, width, height;
};

Geometry geometry(const Variant &app)
{
    Variant ps = app.read("ActiveDocument").read("PageSetup");
    return {ps.read("LeftMargin").toDouble(),   ps.read("RightMargin").toDouble(), ps.read("TopMargin").toDouble(),
            ps.read("BottomMargin").toDouble(), ps.read("PageWidth").toDouble(),   ps.read("PageHeight").toDouble()};
}

void expectGeometry(const Geometry &g, const Geometry &want)
{
    EXPECT_NEAR(g.left, want.left, 0.1);
    EXPECT_NEAR(g.right, want.right, 0.1);
    EXPECT_NEAR(g.top, want.top, 0.1);
    EXPECT_NEAR(g.bottom, want.bottom, 0.1);
    EXPECT_NEAR(g.width, want.width, 0.1);
    EXPECT_NEAR(g.height, want.height, 0.1);
}

class WordFormats : public ::testing::TestWithParam<std::string> {};

} // namespace

TEST_P(WordFormats, LetterDocumentHasThreeInkedPagesWithInchMargins)
{
    Variant app = openWord("letter3." + GetParam());
    ASSERT_EQ(pageCount(app), 3);
    std::vector<QImage> pages;
    for (int n = 1; n <= 3; ++n) {
        copyWordPage(app, n);
        EXPECT_EQ(clipboard::ProcessClipboard().formats(), (std::vector<uint32_t>{14}));
        expectGeometry(geometry(app), {72, 72, 72, 72, 612, 792});
        QImage page = playClipboard(612, 792);
        // The picture is the whole page: ink in the body, none in the margins.
        EXPECT_GT(ink(page, QRect(72, 72, 468, 648)), 200) << "page " << n;
        EXPECT_EQ(ink(page, QRect(0, 0, 612, 60)), 0) << "page " << n;
        EXPECT_EQ(ink(page, QRect(0, 740, 612, 52)), 0) << "page " << n;
        EXPECT_EQ(ink(page, QRect(0, 0, 60, 792)), 0) << "page " << n;
        pages.push_back(page);
    }
    EXPECT_NE(pages[0], pages[1]);
    EXPECT_NE(pages[1], pages[2]);
    // Page three holds one line: its lower part is white.
    EXPECT_EQ(ink(pages[2], QRect(0, 200, 612, 592)), 0);
    app.call("Quit");
}

TEST_P(WordFormats, A4DocumentReportsItsOwnMargins)
{
    Variant app = openWord("a4margins." + GetParam());
    ASSERT_EQ(pageCount(app), 2);
    for (int n = 1; n <= 2; ++n) {
        copyWordPage(app, n);
        expectGeometry(geometry(app), {36, 54, 90, 108, 595.28, 841.89});
        QImage page = playClipboard(595, 842);
        EXPECT_GT(ink(page, QRect(36, 90, 500, 200)), 100);
        EXPECT_EQ(ink(page, QRect(0, 0, 595, 85)), 0);
    }
    app.call("Quit");
}

TEST_P(WordFormats, LandscapePageInAPortraitDocumentComesOutLandscape)
{
    Variant app = openWord("landscape." + GetParam());
    ASSERT_EQ(pageCount(app), 3);
    copyWordPage(app, 1);
    expectGeometry(geometry(app), {72, 72, 72, 72, 612, 792});
    copyWordPage(app, 2);
    expectGeometry(geometry(app), {36, 36, 36, 36, 792, 612});
    QImage wide = playClipboard(792, 612);
    EXPECT_GT(ink(wide, QRect(36, 36, 720, 100)), 100);
    EXPECT_EQ(ink(wide, QRect(0, 0, 792, 30)), 0);
    copyWordPage(app, 3);
    expectGeometry(geometry(app), {72, 72, 72, 72, 612, 792});
    app.call("Quit");
}

INSTANTIATE_TEST_SUITE_P(Word, WordFormats, ::testing::Values("docx", "doc"));

TEST(WordSelection, PositionsFollowThePagesAsTheConversionWalksThem)
{
    Variant app = openWord("letter3.docx");
    Variant d = app.read("ActiveDocument");
    EXPECT_EQ(d.read("Range").read("Start").toInt32(), 0);
    Variant end = d.read("Range").read("End");
    Variant s2 = d.call("goto", {int32_t(1), int32_t(1), int32_t(2)});
    Variant s3 = d.call("goto", {int32_t(1), int32_t(1), int32_t(3)});
    EXPECT_LT(s2.read("Start").toInt32(), s3.read("Start").toInt32());
    EXPECT_LT(s3.read("Start").toInt32(), end.toInt32());
    // The next page of page 2 is page 3; on the last page it stays put.
    EXPECT_EQ(s2.call("GoToNext", {int32_t(1)}).read("Start").toInt32(), s3.read("Start").toInt32());
    EXPECT_EQ(s3.call("GoToNext", {int32_t(1)}).read("Start").toInt32(), s3.read("Start").toInt32());
    // Past the end, goto stays on the last page.
    EXPECT_EQ(d.call("goto", {int32_t(1), int32_t(1), int32_t(9)}).read("Start").toInt32(), s3.read("Start").toInt32());

    // Start moved past End drags End along.
    Variant r = d.call("Range", {s2.read("Start"), s2.read("Start")});
    r.put("Start", end);
    EXPECT_EQ(r.read("End").toInt32(), end.toInt32());

    // A selection over pages 1 and 2 copies both, one below the other.
    d.call("Range", {int32_t(0), s3.read("Start")}).call("Select");
    EXPECT_EQ(app.read("Selection").read("Information", {int32_t(3)}).toInt32(), 2);
    app.read("Selection").read("Range").call("CopyAsPicture");
    QImage both = playClipboard(612, 1600);
    EXPECT_GT(ink(both, QRect(0, 0, 612, 790)), 200);
    EXPECT_GT(ink(both, QRect(0, 810, 612, 790)), 200);
    app.call("Quit");
}

TEST(WordSelection, CopyingAnEmptySelectionFails)
{
    Variant app = openWord("letter3.docx");
    clipboard::ProcessClipboard().open();
    clipboard::ProcessClipboard().empty();
    clipboard::ProcessClipboard().close();
    EXPECT_EQ(errorText([&] { app.read("Selection").read("Range").call("CopyAsPicture"); }),
              "Range.CopyAsPicture: the selection is empty: there is nothing to copy");
    EXPECT_TRUE(clipboard::ProcessClipboard().formats().empty());
    app.call("Quit");
}

TEST(WordSelection, APictureRefusesTargetsItCannotPlayInto)
{
    Variant app = openWord("letter3.docx");
    copyWordPage(app, 1);
    auto picture = clipboard::ProcessClipboard().enhancedMetafile();
    QImage rgb32(10, 10, QImage::Format_RGB32);
    EXPECT_EQ(errorText([&] { picture->play(rgb32, rgb32.rect()); }), "A picture plays only into a 24-bit RGB bitmap");
    // Only the rows inside the target are rendered, at the rectangle's width.
    QImage column(1, 7000, QImage::Format_RGB888);
    EXPECT_EQ(errorText([&] {
                  column.fill(Qt::white);
                  picture->play(column, QRect(0, 0, 40000, 40000));
              }),
              "The picture is too large to draw (40000 x 7000 pixels)");
    QImage small(10, 10, QImage::Format_RGB888);
    EXPECT_EQ(errorText([&] { picture->play(small, QRect(0, 0, 40000, 40000)); }), "(no error)");
    // An empty rectangle draws nothing; a rectangle partly outside is clipped.
    small.fill(Qt::white);
    picture->play(small, QRect(0, 0, 0, 0));
    EXPECT_EQ(ink(small, small.rect()), 0);
    picture->play(small, QRect(-100, -100, 612, 792));
    EXPECT_GT(ink(small, small.rect()), 0);
    app.call("Quit");
}

TEST(WordSelection, CopyFailsWhileTheProgramHoldsTheClipboardOpen)
{
    Variant app = openWord("letter3.docx");
    clipboard::ProcessClipboard().open();
    EXPECT_EQ(errorText([&] { copyWordPage(app, 1); }), "Cannot open clipboard");
    clipboard::ProcessClipboard().close();
    EXPECT_NO_THROW(copyWordPage(app, 1));
    app.call("Quit");
}

TEST(WordMembers, NamesAreCaseInsensitiveAndMisuseIsReported)
{
    Variant app = automation::CreateOleObject("Word.Application");
    EXPECT_EQ(errorText([&] { app.read("ActiveDocument"); }),
              "Application.ActiveDocument: This command is not available because no document is open");
    app.read("DOCUMENTS").call("open", {fixture("letter3.docx")});
    EXPECT_EQ(app.read("activedocument").read("range").read("end").toInt32(),
              app.read("ActiveDocument").read("Range").read("End").toInt32());
    EXPECT_EQ(errorText([&] { app.read("ActiveDocument").read("Nonsense"); }),
              "Unknown name: Document has no member Nonsense");
    EXPECT_EQ(errorText([&] { app.call("Visible"); }), "Application.Visible is a property, not a method");
    EXPECT_EQ(errorText([&] { app.read("ActiveDocument").put("Range", int32_t(1)); }),
              "Document.Range cannot be assigned");
    EXPECT_EQ(errorText([&] { app.read("Selection").get("Information", {int32_t(99)}); }),
              "Selection.Information: Information(99) is not available");
    EXPECT_EQ(errorText([&] {
                  app.read("ActiveDocument").call("goto", {int32_t(3), int32_t(1), int32_t(1)});
              }),
              "Document.goto: only pages (1) can be gone to");
    EXPECT_EQ(errorText([&] { app.read("Documents").call("Open"); }),
              "Documents.Open: Argument 1 of Open must be given");
    EXPECT_EQ(errorText([&] {
                  app.read("ActiveDocument").call("goto", {"page", int32_t(1), int32_t(1)});
              }),
              "Document.goto: Argument 1 of goto must be a number");
    EXPECT_EQ(errorText([&] { app.read("ActiveDocument").call("Range", {int32_t(1)}); }),
              "Document.Range: takes no argument or a start and an end");
    EXPECT_EQ(errorText([&] { app.put("WindowState", "minimised"); }),
              "Application.WindowState: Argument 1 of WindowState must be a number");
    EXPECT_EQ(errorText([&] { app.put("Visible", "yes"); }), "Application.Visible: Visible takes a Boolean");
    EXPECT_EQ(errorText([&] { app.read("Documents").call("Open", {Variant(DispatchRef(app.toObject()))}); }),
              "An object cannot be passed to Word");
    app.call("Quit");
}

// The host prepares the next page while the client works on the last one;
// what it prepared must be what a fresh rendering gives.
TEST(WordPictures, APreparedNextPageIsTheFreshRendering)
{
    Variant app = openWord("letter3.docx");
    copyWordPage(app, 1);
    playClipboard(612, 792); // the host now prepares page 2 at this size
    copyWordPage(app, 2);
    const QImage prepared = playClipboard(612, 792);
    copyWordPage(app, 2);
    const QImage atOtherSize = playClipboard(306, 396); // not prepared: a fresh rendering
    copyWordPage(app, 2);
    const QImage fresh = playClipboard(612, 792); // page 3 was prepared, not page 2
    EXPECT_EQ(prepared, fresh);
    EXPECT_GT(ink(fresh, fresh.rect()), 100);
    EXPECT_EQ(atOtherSize.size(), QSize(306, 396));
    app.call("Quit");
}
