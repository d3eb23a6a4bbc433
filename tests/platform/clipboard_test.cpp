// The private clipboard: open and close, formats in the order they were put,
// the two data kinds and the errors of each operation.
#include "core/error.h"
#include "platform/clipboard.h"

#include "tests/support/errortext.h"

#include <gtest/gtest.h>

using namespace folivex::clipboard;

using folivex::test::ErrorText;

namespace {

// Paints its rectangle in one colour.
class Solid : public Picture {
public:
    void play(QImage &target, const QRect &rect) const override
    {
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                target.setPixelColor(x, y, Qt::red);
    }
};

} // namespace

TEST(Clipboard, ListsFormatsInTheOrderTheyWerePut)
{
    Clipboard c;
    auto picture = std::make_shared<Solid>();
    c.setBitmap(Dib, QImage(2, 2, QImage::Format_RGB888));
    c.setPicture(EnhancedMetafile, picture);
    c.setPicture(MetafilePicture, nullptr);
    c.setBitmap(Bitmap, QImage(3, 3, QImage::Format_RGB888));
    EXPECT_EQ(c.formats(), (std::vector<uint32_t>{8, 14, 3, 2}));
    EXPECT_EQ(c.enhancedMetafile(), picture);
    EXPECT_EQ(c.bitmap().width(), 3);
    // Putting a format again replaces its data in place.
    c.setBitmap(Dib, QImage(5, 5, QImage::Format_RGB888));
    EXPECT_EQ(c.formats(), (std::vector<uint32_t>{8, 14, 3, 2}));

    c.open();
    c.empty();
    c.close();
    EXPECT_TRUE(c.formats().empty());
}

TEST(Clipboard, AMetafilePictureIsReadThroughTheEnhancedMetafile)
{
    Clipboard c;
    auto picture = std::make_shared<Solid>();
    c.setPicture(MetafilePicture, picture);
    EXPECT_EQ(c.enhancedMetafile(), picture);
}

TEST(Clipboard, OpeningTwiceAndEmptyingClosedFail)
{
    Clipboard c;
    EXPECT_EQ(ErrorText([&] { c.empty(); }), "Cannot empty the clipboard: it is not open");
    c.open();
    EXPECT_EQ(ErrorText([&] { c.open(); }), "Cannot open clipboard");
    c.close();
    EXPECT_NO_THROW(c.open());
}

TEST(Clipboard, MissingDataIsAnUnsupportedFormat)
{
    Clipboard c;
    EXPECT_EQ(ErrorText([&] { c.enhancedMetafile(); }), "Unsupported clipboard format");
    EXPECT_EQ(ErrorText([&] { c.bitmap(); }), "Unsupported clipboard format");
    // Listed without data.
    c.setPicture(EnhancedMetafile, nullptr);
    EXPECT_EQ(c.formats(), (std::vector<uint32_t>{14}));
    EXPECT_EQ(ErrorText([&] { c.enhancedMetafile(); }), "Unsupported clipboard format");
    c.setBitmap(Bitmap, QImage());
    EXPECT_EQ(ErrorText([&] { c.bitmap(); }), "Unsupported clipboard format");
}

TEST(Clipboard, OnlyTheFourFormatsCanBePut)
{
    Clipboard c;
    EXPECT_EQ(ErrorText([&] { c.setPicture(Bitmap, nullptr); }), "Invalid clipboard format");
    EXPECT_EQ(ErrorText([&] { c.setBitmap(EnhancedMetafile, QImage()); }), "Invalid clipboard format");
    EXPECT_EQ(ErrorText([&] { c.setBitmap(1, QImage()); }), "Invalid clipboard format");
    EXPECT_TRUE(c.formats().empty());
}

TEST(Clipboard, AHostCannotWriteWhileTheProgramHoldsItOpen)
{
    Clipboard c;
    c.setBitmap(Bitmap, QImage(1, 1, QImage::Format_RGB888));
    c.open();
    EXPECT_EQ(ErrorText([&] {
                  c.replaceFromHost({{EnhancedMetafile, std::make_shared<Solid>()}});
              }),
              "Cannot open clipboard");
    EXPECT_EQ(c.formats(), (std::vector<uint32_t>{2}));
    c.close();
    c.replaceFromHost({{EnhancedMetafile, std::make_shared<Solid>()}});
    EXPECT_EQ(c.formats(), (std::vector<uint32_t>{14}));
}

TEST(Clipboard, TheProcessHasOneClipboard)
{
    EXPECT_EQ(&ProcessClipboard(), &ProcessClipboard());
}
