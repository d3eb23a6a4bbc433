// The skinned frame of the main window on an offscreen screen of 1920 x 1080:
// region, caption buttons, dragging, maximising, caption, list header.
#include "app/resizegrip.h"
#include "app/tform1.h"
#include "app/windowskin.h"
#include "artwork/skin.h"
#include "controls/imgbtn.h"
#include "controls/transparentbitmap.h"
#include "doclist/documentlist.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using folivex::app::TForm1;

class WindowSkinTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { form.reset(); }

    void cornersAreRoundedAlikeInsideTheWindow();
    void captionButtonsStandAtTheRightEnd();
    void onlyTheLeftButtonDragsAndNotWhenMaximised();
    void doubleClickMaximisesAndRestores();
    void maximisedFillsTheAvailableArea();
    void edgesAndCornersAskTheWindowManagerToResize();
    void opensWhollyOnItsScreen();
    void followsTheWindowStateWhoeverChangesIt();
    void tickBoxesReadOverTheBackground();
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
    // Checks the window's region against the rounding of its four corners.
    static void checkCorners(const QRegion &region, const QSize &size);

    std::unique_ptr<TForm1> form;
    int moves = 0;
    std::vector<Qt::Edges> resizes;
};

void WindowSkinTest::init()
{
    form = std::make_unique<TForm1>();
    moves = 0;
    form->StartSystemMove = [this] { ++moves; };
    for (folivex::app::ResizeGrip *grip : form->Grips)
        grip->StartSystemResize = [this](Qt::Edges edges) { resizes.push_back(edges); };
    resizes.clear();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
}

namespace {

// The region as a picture of the window: white where the window shows.
QImage regionPicture(const QRegion &region, const QSize &size)
{
    QImage picture(size, QImage::Format_Grayscale8);
    picture.fill(0);
    QPainter painter(&picture);
    painter.setClipRegion(region);
    painter.fillRect(picture.rect(), Qt::white);
    return picture;
}

bool dark(const QColor &colour)
{
    return qGray(colour.rgb()) < 100;
}

// The tick box drawn in `cell` of the list picture: found by its dark frame,
// the first dark pixel from the cell's left on its middle row.
QRect findTickBox(const QImage &shot, const QRect &cell)
{
    const int y = cell.center().y();
    int left = cell.left();
    while (left < cell.left() + 30 && !dark(shot.pixelColor(left, y)))
        ++left;
    int top = y, bottom = y;
    while (top > cell.top() && dark(shot.pixelColor(left, top - 1)))
        --top;
    while (bottom < cell.bottom() && dark(shot.pixelColor(left, bottom + 1)))
        ++bottom;
    int right = left;
    while (right < cell.right() && dark(shot.pixelColor(right + 1, top)))
        ++right;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

void WindowSkinTest::checkCorners(const QRegion &region, const QSize &size)
{
    const int w = size.width(), h = size.height();
    QCOMPARE(region.boundingRect(), QRect(0, 0, w, h));
    const QImage picture = regionPicture(region, size);
    // Each corner's 6 x 6 ellipse takes 2 pixels of the outermost row and
    // column and 1 of the next.
    const QImage topLeft = picture.copy(0, 0, 6, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool shown = x + y >= 2;
            QVERIFY2((qGray(topLeft.pixel(x, y)) == 255) == shown, qPrintable(QString("pixel %1,%2").arg(x).arg(y)));
        }
    QCOMPARE(picture.copy(w - 6, 0, 6, 6).mirrored(true, false), topLeft);
    QCOMPARE(picture.copy(0, h - 6, 6, 6).mirrored(false, true), topLeft);
    QCOMPARE(picture.copy(w - 6, h - 6, 6, 6).mirrored(true, true), topLeft);
    for (const QPoint edge : {QPoint(w / 2, 0), QPoint(w / 2, h - 1), QPoint(0, h / 2), QPoint(w - 1, h / 2)})
        QVERIFY(region.contains(edge));
}

void WindowSkinTest::cornersAreRoundedAlikeInsideTheWindow()
{
    QVERIFY(form->windowFlags() & Qt::FramelessWindowHint);
    checkCorners(form->mask(), QSize(724, 534));
    if (QTest::currentTestFailed())
        return;
    form->resize(801, 577);
    checkCorners(form->mask(), QSize(801, 577));
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
    // Only the left button maximises and restores.
    const Qt::MouseButton others[] = {Qt::RightButton, Qt::MiddleButton};
    for (const Qt::MouseButton button : others) {
        QTest::mouseDClick(form->Image1, button, {}, QPoint(300, 15));
        QVERIFY(!form->Maximised());
        QCOMPARE(form->windowState() & Qt::WindowMaximized, Qt::WindowStates());
        QCOMPARE(form->ImgBtnMax->Pic(), cell(25, 0));
    }
    QTest::mouseDClick(form->Image1, Qt::LeftButton, {}, QPoint(300, 15));
    QTRY_VERIFY(form->isMaximized() && form->Maximised());
    QCOMPARE(form->ImgBtnMax->Pic(), cell(76, 0));
    QCOMPARE(form->ImgBtnMax->x(), form->width() - 62);
    for (const Qt::MouseButton button : others) {
        QTest::mouseDClick(form->Image1, button, {}, QPoint(300, 15));
        QVERIFY(form->isMaximized() && form->Maximised());
        QCOMPARE(form->ImgBtnMax->Pic(), cell(76, 0));
    }
    QTest::mouseDClick(form->Image1, Qt::LeftButton, {}, QPoint(300, 15));
    QTRY_VERIFY(!form->isMaximized() && !form->Maximised());
    QCOMPARE(form->ImgBtnMax->Pic(), cell(25, 0));
    QTRY_COMPARE(form->size(), QSize(724, 534));
    QCOMPARE(form->ImgBtnMax->geometry(), QRect(662, 3, 25, 31));
}

void WindowSkinTest::maximisedFillsTheAvailableArea()
{
    const QRect area = form->screen()->availableGeometry();
    const QRect listBefore = form->ListView1->geometry();
    QTest::mouseClick(form->ImgBtnMax, Qt::LeftButton, {}, QPoint(12, 15));
    QTRY_VERIFY(form->isMaximized() && form->Maximised());
    QTRY_COMPARE(form->geometry(), area);
    QCOMPARE(form->ImgBtnClose->x(), form->width() - 37);
    QVERIFY(!form->mask().contains(QPoint(form->width(), form->height())));
    QVERIFY(form->mask().contains(QPoint(form->width() - 1, form->height() / 2)));
    // The list takes the room, both ways.
    const QRect list = form->ListView1->geometry();
    QCOMPARE(list.width() - listBefore.width(), area.width() - 724);
    QCOMPARE(list.height() - listBefore.height(), area.height() - 534);
    QVERIFY(form->ListView1->mapTo(form.get(), QPoint(list.width(), list.height())).y() < form->height());
}

// Pressing the left button on an edge or a corner asks the window manager
// to resize from there; the grips show the sizing pointer, lie along the
// window's outer pixels and are gone while the window is maximised.
void WindowSkinTest::edgesAndCornersAskTheWindowManagerToResize()
{
    const int w = form->width(), h = form->height();
    const std::pair<QPoint, Qt::Edges> presses[] = {
        {{0, h / 2}, Qt::LeftEdge},
        {{w - 1, h / 2}, Qt::RightEdge},
        {{w / 2, 0}, Qt::TopEdge},
        {{w / 2, h - 1}, Qt::BottomEdge},
        // Inside the rounding of the corners.
        {{3, 3}, Qt::TopEdge | Qt::LeftEdge},
        {{w - 4, 3}, Qt::TopEdge | Qt::RightEdge},
        {{3, h - 4}, Qt::BottomEdge | Qt::LeftEdge},
        {{w - 4, h - 4}, Qt::BottomEdge | Qt::RightEdge},
    };
    for (const auto &[point, edges] : presses) {
        QWidget *under = form->childAt(point);
        auto *grip = qobject_cast<folivex::app::ResizeGrip *>(under);
        QVERIFY2(grip, qPrintable(QString("nothing to resize from at %1,%2").arg(point.x()).arg(point.y())));
        resizes.clear();
        QTest::mousePress(grip, Qt::RightButton, {}, grip->mapFrom(form.get(), point));
        QVERIFY(resizes.empty());
        QTest::mousePress(grip, Qt::LeftButton, {}, grip->mapFrom(form.get(), point));
        QCOMPARE(resizes, std::vector<Qt::Edges>{edges});
        QTest::mouseRelease(grip, Qt::LeftButton, {}, grip->mapFrom(form.get(), point));
        const bool diagonal = edges == (Qt::TopEdge | Qt::LeftEdge) || edges == (Qt::BottomEdge | Qt::RightEdge);
        const bool corner = (edges & (Qt::LeftEdge | Qt::RightEdge)) && (edges & (Qt::TopEdge | Qt::BottomEdge));
        const Qt::CursorShape shape = corner ? (diagonal ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor)
                                      : (edges & (Qt::LeftEdge | Qt::RightEdge)) ? Qt::SizeHorCursor
                                                                                 : Qt::SizeVerCursor;
        QCOMPARE(grip->cursor().shape(), shape);
    }
    // The caption buttons stay above the top edge's strip.
    QCOMPARE(form->childAt(form->ImgBtnClose->geometry().center()), static_cast<QWidget *>(form->ImgBtnClose));

    // However small it is dragged, the toolbar stays whole.
    form->resize(100, 80);
    QVERIFY(form->width() >= form->SpeedButton14->geometry().right() + 8);
    QVERIFY(form->ListView1->height() > 40);

    // After a resize the grips follow the new edges.
    form->resize(900, 640);
    QTRY_COMPARE(form->size(), QSize(900, 640));
    QVERIFY(qobject_cast<folivex::app::ResizeGrip *>(form->childAt(QPoint(899, 320))));
    QVERIFY(qobject_cast<folivex::app::ResizeGrip *>(form->childAt(QPoint(450, 639))));

    form->ImgBtnMaxClick();
    QTRY_VERIFY(form->Maximised());
    for (folivex::app::ResizeGrip *grip : form->Grips)
        QVERIFY(!grip->isVisible());
    form->ImgBtnMaxClick();
    QTRY_VERIFY(!form->Maximised());
    for (folivex::app::ResizeGrip *grip : form->Grips)
        QVERIFY(grip->isVisible());
}

// Run on a 1920 x 1080 screen and again on a 1600 x 1000 one at scale 2,
// where the window's designed place and size do not fit.
void WindowSkinTest::opensWhollyOnItsScreen()
{
    const QRect area = form->screen()->availableGeometry();
    QVERIFY2(area.contains(form->geometry()), qPrintable(QString("%1,%2 %3x%4 on %5x%6")
                                                             .arg(form->x())
                                                             .arg(form->y())
                                                             .arg(form->width())
                                                             .arg(form->height())
                                                             .arg(area.width())
                                                             .arg(area.height())));
    if (area.width() >= 1029 && area.height() >= 655)
        QCOMPARE(form->geometry(), QRect(305, 121, 724, 534)); // where it was designed to open, when it fits
}

void WindowSkinTest::followsTheWindowStateWhoeverChangesIt()
{
    // Maximised from outside the window (its manager's menu or a shortcut
    // lands here): the restore look and the height rule follow.
    form->setWindowState(Qt::WindowMaximized);
    QVERIFY(form->Maximised());
    QCOMPARE(form->ImgBtnMax->Pic(), cell(76, 0));
    QCOMPARE(form->ImgBtnMax->PicUp(), cell(76, 31));
    QCOMPARE(form->ImgBtnMax->PicDown(), cell(76, 62));
    QTRY_COMPARE(form->geometry(), form->screen()->availableGeometry());
    QCOMPARE(form->ImgBtnMax->geometry(), QRect(form->width() - 62, 3, 25, 31));
    QTest::mousePress(form->Image1, Qt::LeftButton, {}, QPoint(300, 15));
    QMouseEvent move(QEvent::MouseMove, QPointF(330, 18), form->Image1->mapToGlobal(QPointF(330, 18)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form->Image1, &move);
    QTest::mouseRelease(form->Image1, Qt::LeftButton, {}, QPoint(330, 18));
    QCOMPARE(moves, 0);

    // The caption button then restores the window to where it was.
    form->ImgBtnMaxClick();
    QTRY_VERIFY(!form->isMaximized());
    QVERIFY(!form->Maximised());
    QCOMPARE(form->ImgBtnMax->Pic(), cell(25, 0));
    QTRY_COMPARE(form->geometry(), QRect(305, 121, 724, 534));

    // Maximised by the caption button, restored from outside.
    form->ImgBtnMaxClick();
    QVERIFY(form->Maximised());
    QTRY_COMPARE(form->geometry(), form->screen()->availableGeometry());
    form->setWindowState(Qt::WindowNoState);
    QVERIFY(!form->Maximised());
    QCOMPARE(form->ImgBtnMax->Pic(), cell(25, 0));
    QCOMPARE(form->ImgBtnMax->x(), form->width() - 62);

    // Minimising a maximised window and bringing it back keeps it maximised.
    form->showMaximized();
    QVERIFY(form->Maximised());
    form->setWindowState(Qt::WindowMinimized);
    QVERIFY(form->Maximised());
    QCOMPARE(form->ImgBtnMax->Pic(), cell(76, 0));
    form->setWindowState(Qt::WindowMaximized);
    QVERIFY(form->Maximised());
    QCOMPARE(form->ImgBtnMax->Pic(), cell(76, 0));
    QTRY_COMPARE(form->geometry(), form->screen()->availableGeometry());
}

void WindowSkinTest::tickBoxesReadOverTheBackground()
{
    QTemporaryDir dir;
    for (const char *name : {"a.doc", "b.doc", "c.doc"}) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        form->ListView1->AddDocumentFile(dir.filePath(name));
    }
    // Check on an all-ticked list unticks every row; row 1 is ticked again.
    form->SpeedButton6->click();
    form->ListView1->topLevelItem(1)->setCheckState(0, Qt::Checked);
    const QImage shot = form->ListView1->viewport()->grab().toImage();
    const QColor background = folivex::artwork::ListBackground().pixelColor(0, 0);

    for (int row = 0; row < 3; ++row) {
        const QString where = QString("row %1").arg(row);
        const QRect cellRect = form->ListView1->visualRect(form->ListView1->model()->index(row, 0));
        const QRect box = findTickBox(shot, cellRect);
        QVERIFY2(box.width() >= 9 && box.height() >= 9 && qAbs(box.width() - box.height()) <= 1, qPrintable(where));
        QVERIFY2(cellRect.contains(box), qPrintable(where));
        // A dark frame all round, and the picture just outside it.
        for (int x = box.left(); x <= box.right(); ++x)
            QVERIFY2(dark(shot.pixelColor(x, box.top())) && dark(shot.pixelColor(x, box.bottom())), qPrintable(where));
        for (int y = box.top(); y <= box.bottom(); ++y)
            QVERIFY2(dark(shot.pixelColor(box.left(), y)) && dark(shot.pixelColor(box.right(), y)), qPrintable(where));
        QCOMPARE(shot.pixelColor(box.left() - 1, box.center().y()), background);
        int white = 0, ink = 0;
        const QRect inside = box.adjusted(1, 1, -1, -1);
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x) {
                const QColor pixel = shot.pixelColor(x, y);
                white += pixel == QColor(Qt::white);
                ink += dark(pixel);
            }
        const int area = inside.width() * inside.height();
        if (form->ListView1->RowTicked(row)) {
            QVERIFY2(ink >= inside.width(), qPrintable(where + ": the tick shows"));
        } else {
            QVERIFY2(white == area, qPrintable(where + ": an unticked box is opaque white"));
        }
    }
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
