// The skinned frame of the main window on an offscreen screen of 1920 x 1080:
// region, caption buttons, dragging, maximising, caption, list header.
#include "app/tform1.h"
#include "app/windowskin.h"
#include "artwork/skin.h"
#include "controls/imgbtn.h"
#include "controls/transparentbitmap.h"
#include "doclist/documentlist.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QtTest>

using folivex::app::TForm1;

class WindowSkinTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { form.reset(); }

    void cornersLieOutsideTheRegion();
    void captionButtonsStandAtTheRightEnd();
    void onlyTheLeftButtonDragsAndNotWhenMaximised();
    void doubleClickMaximisesAndRestores();
    void maximisedLeavesThirtyPixels();
    void captionIsBoldAtCreationAndSmallAfterAResize();
    void headerShowsItsColourAndKeepsItsCaptions();
    void titleStripStretchesItsMiddleColumn();

private:
    // The caption cell of the sheet at column x, row y, as the button shows it.
    static QImage cell(int x, int y)
    {
        return folivex::controls::TransparentBitmap(folivex::artwork::CaptionButtonSheet().copy(x, y, 25, 31));
    }
    // The rightmost column of the title strip with light (caption) pixels in rows 2..30.
    int captionInkEnd() const;

    std::unique_ptr<TForm1> form;
    int moves = 0;
};

void WindowSkinTest::init()
{
    form = std::make_unique<TForm1>();
    moves = 0;
    form->StartSystemMove = [this] { ++moves; };
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
}

void WindowSkinTest::cornersLieOutsideTheRegion()
{
    QVERIFY(form->windowFlags() & Qt::FramelessWindowHint);
    // The region runs one pixel past the window's right and bottom edges.
    const QRegion region = form->mask();
    for (const QPoint corner : {QPoint(0, 0), QPoint(724, 0), QPoint(0, 534), QPoint(724, 534)})
        QVERIFY2(!region.contains(corner), qPrintable(QString("corner %1,%2").arg(corner.x()).arg(corner.y())));
    for (const QPoint inside : {QPoint(3, 3), QPoint(721, 3), QPoint(362, 0), QPoint(0, 267), QPoint(721, 531),
                                QPoint(723, 267), QPoint(362, 533)})
        QVERIFY(region.contains(inside));
}

void WindowSkinTest::captionButtonsStandAtTheRightEnd()
{
    QCOMPARE(form->ImgBtnMin->geometry(), QRect(637, 3, 25, 31));
    QCOMPARE(form->ImgBtnMax->geometry(), QRect(662, 3, 25, 31));
    QCOMPARE(form->ImgBtnClose->geometry(), QRect(687, 3, 25, 31));
    QCOMPARE(form->ImgBtnMin->Pic(), cell(0, 0));
    QCOMPARE(form->ImgBtnMax->PicUp(), cell(25, 31));
    QCOMPARE(form->ImgBtnClose->PicDown(), cell(50, 62));
    QVERIFY(!form->ImgBtnClose->testAttribute(Qt::WA_NativeWindow));
    QVERIFY(!form->PanelImage->isVisible());
}

void WindowSkinTest::onlyTheLeftButtonDragsAndNotWhenMaximised()
{
    auto drag = [this](Qt::MouseButton button) {
        QTest::mousePress(form->Image1, button, {}, QPoint(300, 15));
        QMouseEvent move(QEvent::MouseMove, QPointF(330, 18), form->Image1->mapToGlobal(QPointF(330, 18)), Qt::NoButton,
                         button, Qt::NoModifier);
        QApplication::sendEvent(form->Image1, &move);
        QTest::mouseRelease(form->Image1, button, {}, QPoint(330, 18));
    };
    drag(Qt::RightButton);
    QCOMPARE(moves, 0);
    QTest::mouseClick(form->Image1, Qt::LeftButton, {}, QPoint(300, 15));
    QCOMPARE(moves, 0); // a click without moving is no drag
    drag(Qt::LeftButton);
    QCOMPARE(moves, 1);
    form->ImgBtnMaxClick();
    QTRY_VERIFY(form->isMaximized() && form->Maximised());
    drag(Qt::LeftButton);
    QCOMPARE(moves, 1);
}

void WindowSkinTest::doubleClickMaximisesAndRestores()
{
    QTest::mouseDClick(form->Image1, Qt::LeftButton, {}, QPoint(300, 15));
    QTRY_VERIFY(form->isMaximized() && form->Maximised());
    QCOMPARE(form->ImgBtnMax->Pic(), cell(76, 0));
    QCOMPARE(form->ImgBtnMax->x(), form->width() - 62);
    QTest::mouseDClick(form->Image1, Qt::LeftButton, {}, QPoint(300, 15));
    QTRY_VERIFY(!form->isMaximized() && !form->Maximised());
    QCOMPARE(form->ImgBtnMax->Pic(), cell(25, 0));
    QTRY_COMPARE(form->size(), QSize(724, 534));
    QCOMPARE(form->ImgBtnMax->geometry(), QRect(662, 3, 25, 31));
}

void WindowSkinTest::maximisedLeavesThirtyPixels()
{
    QCOMPARE(form->screen()->geometry().height(), 1080);
    QTest::mouseClick(form->ImgBtnMax, Qt::LeftButton, {}, QPoint(12, 15));
    QTRY_VERIFY(form->isMaximized() && form->Maximised());
    QTRY_COMPARE(form->height(), 1050);
    QCOMPARE(form->ImgBtnClose->x(), form->width() - 37);
    QVERIFY(!form->mask().contains(QPoint(form->width(), form->height())));
    QVERIFY(form->mask().contains(QPoint(form->width() - 1, form->height() / 2)));
}

int WindowSkinTest::captionInkEnd() const
{
    const QImage strip = form->Image1->pixmap().toImage();
    int end = -1;
    for (int x = 30; x < 300; ++x)
        for (int y = 2; y < 31; ++y)
            if (qGray(strip.pixel(x, y)) > 200)
                end = x;
    return end;
}

void WindowSkinTest::captionIsBoldAtCreationAndSmallAfterAResize()
{
    const int atCreation = captionInkEnd();
    QVERIFY2(atCreation > 34 && atCreation < 234, qPrintable(QString::number(atCreation)));
    form->resize(800, 534);
    QTRY_COMPARE(form->Image1->pixmap().width(), 800);
    const int afterResize = captionInkEnd();
    QVERIFY2(afterResize > 34 && afterResize < 134, qPrintable(QString::number(afterResize)));
    QVERIFY2(afterResize < atCreation, "the 8 point regular caption is narrower than the bold 12 point one");
    QCOMPARE(form->ImgBtnClose->x(), 800 - 37);
}

void WindowSkinTest::headerShowsItsColourAndKeepsItsCaptions()
{
    QHeaderView *header = form->ListView1->header();
    const QImage shot = header->grab().toImage();
    QVERIFY(!shot.isNull());
    const QColor face = QApplication::palette().color(QPalette::Button);
    int coloured = 0, faceLeft = 0, dark = 0;
    for (int y = 1; y < shot.height() - 1; ++y)
        for (int x = 1; x < shot.width() - 1; ++x) {
            const QColor pixel = shot.pixelColor(x, y);
            coloured += pixel == folivex::app::kHeaderColour;
            faceLeft += pixel == face;
            dark += qGray(pixel.rgb()) < 100;
        }
    QVERIFY2(coloured > shot.width() * (shot.height() - 2) / 2, "most of the header shows the header colour");
    QCOMPARE(faceLeft, 0);
    QVERIFY2(dark > 20, "the captions are still there");
    QCOMPARE(shot.pixelColor(0, shot.height() / 2), QColor(Qt::black));
}

void WindowSkinTest::titleStripStretchesItsMiddleColumn()
{
    const QImage source = folivex::artwork::TitleStripSource();
    const QImage strip = folivex::app::BuildTitleStrip(source, 1000);
    QCOMPARE(strip.size(), QSize(1000, 33));
    QCOMPARE(strip.pixelColor(5, 10), source.pixelColor(5, 10));
    QCOMPARE(strip.pixelColor(500, 10), source.pixelColor(200, 10));
    QCOMPARE(strip.pixelColor(999, 20), source.pixelColor(798, 20));
    QCOMPARE(strip.pixelColor(800, 12), source.pixelColor(599, 12));
}

QTEST_MAIN(WindowSkinTest)
#include "windowskin_test.moc"
