// The artwork's pictures: the sizes and cell layout the window cuts them
// by, the fixed edge colours, the caption sheet's see-through corners, a
// title strip that stretches without seams and matches the sheet's buttons,
// the toolbar pictures and the application icon with its SVG twin.
#include "artwork/appicon.h"
#include "artwork/skin.h"
#include "artwork/toolbarpictures.h"

#include <QFile>
#include <QXmlStreamReader>
#include <QtTest>

#include <functional>

using namespace folivex::artwork;

namespace {

const int CellColumns[] = {0, 25, 50, 76};

int Luminance(QRgb colour)
{
    return qGray(colour);
}

int OpaquePixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 128;
    return count;
}

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT

private slots:
    void sizes_data();
    void sizes();

    void edgesHaveTheFourLinesOutsideIn();
    void listBackgroundIsPaleBlue();
    void stripsAreGreenDarkeningToAlmostBlack_data();
    void stripsAreGreenDarkeningToAlmostBlack();

    void captionCellsHaveTheKeyInTheirLowerLeftCorner();
    void captionCellsKeepTheKeyOutOfTheButton();
    void captionCellsDifferByLookAndGlyph();

    void titleStripStretchesWithoutSeams();
    void titleStripButtonsMatchTheSheetsNormalRow();

    void toolbarPicturesAreDrawnAndDistinct();
    void toolbarPicturesFollowTheDevicePixelRatio();

    void iconIsARoundedTileAtAnySize();
    void iconSvgIsTheSameSquareDesign();
};

void PicturesTest::sizes_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QSize>("size");
    QTest::newRow("title strip source") << TitleStripSource() << QSize(799, 37);
    QTest::newRow("caption button sheet") << CaptionButtonSheet() << QSize(101, 93);
    QTest::newRow("list background") << ListBackground() << QSize(19, 16);
    QTest::newRow("left edge") << LeftEdge() << QSize(4, 15);
    QTest::newRow("right edge") << RightEdge() << QSize(4, 15);
    QTest::newRow("status strip") << StatusStrip() << QSize(700, 38);
    QTest::newRow("toolbar background") << ToolbarBackground() << QSize(700, 73);
    QTest::newRow("icon 16") << AppIcon(16) << QSize(16, 16);
    QTest::newRow("icon 256") << AppIcon(256) << QSize(256, 256);
}

void PicturesTest::sizes()
{
    QFETCH(QImage, image);
    QFETCH(QSize, size);
    QCOMPARE(image.size(), size);
    QVERIFY(!image.isNull());
}

void PicturesTest::edgesHaveTheFourLinesOutsideIn()
{
    const QRgb lines[] = {qRgb(26, 96, 166), qRgb(74, 200, 250), qRgb(16, 141, 207), qRgb(65, 153, 198)};
    const QImage left = LeftEdge();
    const QImage right = RightEdge();
    for (int y = 0; y < 15; ++y) {
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(left.pixel(i, y), lines[i]);      // outside is column 0
            QCOMPARE(right.pixel(3 - i, y), lines[i]); // outside is column 3
        }
    }
}

void PicturesTest::listBackgroundIsPaleBlue()
{
    const QImage image = ListBackground();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            QVERIFY(qAbs(qRed(pixel) - 172) <= 4);
            QVERIFY(qAbs(qGreen(pixel) - 212) <= 4);
            QVERIFY(qAbs(qBlue(pixel) - 234) <= 4);
        }
    }
}

void PicturesTest::stripsAreGreenDarkeningToAlmostBlack_data()
{
    QTest::addColumn<QImage>("image");
    QTest::newRow("status strip") << StatusStrip();
    QTest::newRow("toolbar background") << ToolbarBackground();
}

void PicturesTest::stripsAreGreenDarkeningToAlmostBlack()
{
    QFETCH(QImage, image);
    const int last = image.width() - 1;
    for (int y = 2; y < image.height() - 2; y += 5) {
        const QRgb left = image.pixel(0, y);
        QVERIFY2(qGreen(left) > qRed(left) + 20 && qGreen(left) > qBlue(left) + 10,
                 qPrintable(QStringLiteral("row %1 not green at the left").arg(y)));
        // Almost black at the right, below the lit top rows.
        const QRgb right = image.pixel(last, y);
        if (y >= image.height() / 2)
            QVERIFY2(qRed(right) < 30 && qGreen(right) < 40 && qBlue(right) < 30,
                     qPrintable(QStringLiteral("row %1 not almost black at the right").arg(y)));
        QVERIFY(Luminance(right) < 70);
        // Never lighter further right.
        for (int x = 10; x <= last; x += 10)
            QVERIFY(Luminance(image.pixel(x, y)) <= Luminance(image.pixel(x - 10, y)));
    }
}

void PicturesTest::captionCellsHaveTheKeyInTheirLowerLeftCorner()
{
    const QImage sheet = CaptionButtonSheet();
    const QRgb key = CaptionSheetKey().rgb();
    for (int row = 0; row < 3; ++row) {
        for (int column : CellColumns) {
            const QImage cell = sheet.copy(column, row * 31, 25, 31);
            QCOMPARE(cell.pixel(0, 30), key);
            // The corners the button leaves round are see-through too.
            QCOMPARE(cell.pixel(0, 0), key);
            QCOMPARE(cell.pixel(24, 0), key);
            QCOMPARE(cell.pixel(24, 30), key);
        }
    }
    // The unused column between close and restore.
    for (int y = 0; y < 93; ++y)
        QCOMPARE(sheet.pixel(75, y), key);
}

void PicturesTest::captionCellsKeepTheKeyOutOfTheButton()
{
    const QImage sheet = CaptionButtonSheet();
    const QRgb key = CaptionSheetKey().rgb();
    for (int row = 0; row < 3; ++row) {
        for (int column : CellColumns) {
            // The button's body and glyph: no pixel there may be see-through.
            for (int y = 5; y <= 21; ++y)
                for (int x = 3; x <= 21; ++x)
                    QVERIFY2(
                        sheet.pixel(column + x, row * 31 + y) != key,
                        qPrintable(
                            QStringLiteral("cell %1,%2 see-through at %3,%4").arg(column).arg(row * 31).arg(x).arg(y)));
            // And the key colour is not merely close to a button colour:
            // nothing in the cell is within a few steps of it but the key.
            for (int y = 0; y < 31; ++y) {
                for (int x = 0; x < 25; ++x) {
                    const QRgb pixel = sheet.pixel(column + x, row * 31 + y);
                    if (pixel == key)
                        continue;
                    const int distance = qAbs(qRed(pixel) - 255) + qGreen(pixel) + qAbs(qBlue(pixel) - 255);
                    QVERIFY(distance > 60);
                }
            }
        }
    }
}

void PicturesTest::captionCellsDifferByLookAndGlyph()
{
    const QImage sheet = CaptionButtonSheet();
    QList<QImage> cells;
    for (int row = 0; row < 3; ++row)
        for (int column : CellColumns)
            cells << sheet.copy(column, row * 31, 25, 31);
    for (int i = 0; i < cells.size(); ++i)
        for (int j = i + 1; j < cells.size(); ++j)
            QVERIFY2(cells[i] != cells[j], qPrintable(QStringLiteral("cells %1 and %2 alike").arg(i).arg(j)));
}

void PicturesTest::titleStripStretchesWithoutSeams()
{
    const QImage strip = TitleStripSource();
    // Column 200 is stretched between the blocks that end at 199 and begin
    // at 599: those must meet it without a visible step.
    for (int y = 0; y < 35; ++y) {
        const QRgb middle = strip.pixel(200, y);
        for (int x : {150, 199, 201, 599, 649})
            QCOMPARE(strip.pixel(x, y), middle);
    }
    // Glossy dark: lighter at the top than at the bottom, an orange line
    // along the foot of the 33 rows the window shows.
    QVERIFY(Luminance(strip.pixel(300, 3)) > Luminance(strip.pixel(300, 25)) + 30);
    QVERIFY(Luminance(strip.pixel(300, 25)) < 40);
    const QRgb foot = strip.pixel(300, 31);
    QVERIFY(qRed(foot) > 200 && qGreen(foot) > 110 && qGreen(foot) < 190 && qBlue(foot) < 90);
}

void PicturesTest::titleStripButtonsMatchTheSheetsNormalRow()
{
    // The window's caption buttons stand over the strip's drawn ones when
    // the strip is 724 wide: at strip columns 712, 737 and 762, top 3.
    const QImage strip = TitleStripSource();
    const QImage sheet = CaptionButtonSheet();
    const QRgb key = CaptionSheetKey().rgb();
    for (int i = 0; i < 3; ++i) {
        int compared = 0;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 25; ++x) {
                const QRgb cell = sheet.pixel(CellColumns[i] + x, y);
                if (cell == key)
                    continue;
                QCOMPARE(strip.pixel(712 + i * 25 + x, 3 + y), cell);
                ++compared;
            }
        }
        QVERIFY(compared > 300);
    }
}

void PicturesTest::toolbarPicturesAreDrawnAndDistinct()
{
    QList<QImage> pictures;
    for (int i = 0; i <= static_cast<int>(ToolbarButton::Home); ++i) {
        const QImage picture = ToolbarPicture(static_cast<ToolbarButton>(i));
        QCOMPARE(picture.size(), QSize(32, 32));
        QVERIFY(picture.hasAlphaChannel());
        const int opaque = OpaquePixels(picture);
        QVERIFY2(opaque > 200, qPrintable(QStringLiteral("picture %1 has %2 opaque pixels").arg(i).arg(opaque)));
        // Transparent around the drawing: the corners are see-through.
        QCOMPARE(qAlpha(picture.pixel(0, 0)), 0);
        for (const QImage &earlier : pictures)
            QVERIFY(earlier != picture);
        pictures << picture;
    }
    QCOMPARE(pictures.size(), 10);
}

void PicturesTest::toolbarPicturesFollowTheDevicePixelRatio()
{
    const QImage sharp = ToolbarPicture(ToolbarButton::Setting, 2.0);
    QCOMPARE(sharp.size(), QSize(64, 64));
    QCOMPARE(sharp.devicePixelRatio(), 2.0);
    QCOMPARE(sharp.deviceIndependentSize(), QSizeF(32, 32));
    // The same drawing: reduced to 32 it is close to the plain picture.
    const QImage reduced = sharp.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage plain = ToolbarPicture(ToolbarButton::Setting);
    int differing = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            differing += qAbs(qAlpha(reduced.pixel(x, y)) - qAlpha(plain.pixel(x, y))) > 100;
    QVERIFY(differing < 40);
}

void PicturesTest::iconIsARoundedTileAtAnySize()
{
    for (int side : {16, 48, 256}) {
        const QImage icon = AppIcon(side);
        QCOMPARE(icon.size(), QSize(side, side));
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(icon.pixel(side - 1, side - 1)), 0);
        QCOMPARE(qAlpha(icon.pixel(side / 2, side / 2)), 255);
    }
    // Deep green tile, white page, orange leaf (design units of 256).
    const QImage icon = AppIcon(256);
    const QRgb tile = icon.pixel(36, 128);
    QVERIFY(qGreen(tile) > qRed(tile) + 40 && qGreen(tile) > qBlue(tile) + 20);
    const QRgb page = icon.pixel(90, 190);
    QVERIFY(qRed(page) > 240 && qGreen(page) > 240 && qBlue(page) > 230);
    const QRgb leaf = icon.pixel(200, 160);
    QVERIFY(qRed(leaf) > 180 && qGreen(leaf) > 90 && qGreen(leaf) < 180 && qBlue(leaf) < 80);
    QVERIFY(AppIcon(0).isNull());
}

void PicturesTest::iconSvgIsTheSameSquareDesign()
{
    QFile file(QStringLiteral(FOLIVEX_ICON_SVG));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    QXmlStreamReader xml(&file);
    QVERIFY(xml.readNextStartElement());
    QCOMPARE(xml.name().toString(), QStringLiteral("svg"));
    QCOMPARE(xml.attributes().value(QStringLiteral("viewBox")).toString(), QStringLiteral("0 0 256 256"));
    int shapes = 0;
    QStringList fills;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            const QString name = xml.name().toString();
            shapes += name == QLatin1String("path") || name == QLatin1String("rect");
            const QString colour = xml.attributes().value(QStringLiteral("stop-color")).toString();
            if (!colour.isEmpty())
                fills << colour.toLower();
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(shapes >= 5);
    // Folivex green and orange are among its colours.
    QVERIFY(fills.contains(QStringLiteral("#1f5f3a")));
    QVERIFY(fills.contains(QStringLiteral("#e08a1e")));
}

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
