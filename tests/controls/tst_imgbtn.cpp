// TImgBtn in a real window on the offscreen platform. Mouse actions go
// through the window system (QTest's QPA mouse path), so Qt itself decides
// which widget gets the enter, leave, press and release; a few cases send
// enter and leave events to the widget directly.
#define QTEST_QPA_MOUSE_HANDLING
#include "controls/imgbtn.h"
#include "controls/transparentbitmap.h"

#include <QEnterEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

using namespace folivex::controls;

namespace {

QImage Solid(QColor colour, QSize size = {25, 31})
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// What happened, in order: "enter", "leave", "down", "up", "click".
struct Log {
    QStringList events;
    QList<TWMMouse> messages;
    QList<QImage> shownAtClick;
};

} // namespace

class ImgBtnTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    // What a new control is and holds.
    void startsEmptyEnabledSupported();
    void hasNoNativeWindow();

    // Assigning pictures.
    void picShowsAtOncePicUpAndPicDownDoNot();
    void picDisableShowsOnlyWhenDisabled();
    void assignedPicturesAreCopies();

    // Drawing.
    void drawsAtNaturalSizeFromTopLeftWithTransparentColourSeeThrough();
    void emptyPictureShowsTheParent();
    void transparentBitmapKeysOnTheLowerLeftColour();

    // Enter and leave.
    void enterShowsPicUpLeaveShowsPic();
    void enterAndLeaveCarryTheirMessageNumbers();
    void repeatedEnterOrLeaveEventsNotifyOnce();

    // Press and release.
    void clickInsideShowsUpDownUpAndClicksBeforeMouseUp();
    void buttonMessagesCarryNumberKeysAndPosition();
    void releasedOutsideGivesNoClick();
    void draggedOffAndBackShowsPicDownAgain();
    void otherButtonsAreIgnored();
    void doubleClickClicksOnce();
    void receiverMayDeleteTheControlInClicked();

    // Supported false.
    void unsupportedFreezesThePictureAndSilencesEventsButClicks();

    // Enabled.
    void disablingShowsPicDisableAndIgnoresTheMouse();
    void enablingShowsPicUpUntilTheNextLeave();
    void enablingWithEmptyPicUpShowsNothing();

private:
    void wire();
    QPoint inside(QPoint offset = {5, 5}) const { return button_->geometry().topLeft() + offset; }
    QPoint outside() const { return {5, 5}; }
    void moveTo(QPoint windowPoint) { QTest::mouseMove(window_, windowPoint); }
    void press(QPoint p, Qt::MouseButton b = Qt::LeftButton) { QTest::mousePress(window_, b, {}, p); }
    void release(QPoint p, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseRelease(window_, b, {}, p); }

    QWidget *window_ = nullptr;
    TImgBtn *button_ = nullptr;
    Log log_;
    const QImage pic_ = Solid(Qt::red);
    const QImage picUp_ = Solid(Qt::green);
    const QImage picDown_ = Solid(Qt::blue);
    const QImage picDisable_ = Solid(Qt::gray);
};

void ImgBtnTest::init()
{
    log_ = {};
    window_ = new QWidget;
    window_->resize(200, 100);
    window_->setAutoFillBackground(true);
    QPalette palette = window_->palette();
    palette.setColor(QPalette::Window, QColor(10, 20, 30));
    window_->setPalette(palette);
    button_ = new TImgBtn(window_);
    button_->setGeometry(100, 30, 25, 31);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
    // Start with the pointer in the window, away from the button.
    moveTo(outside());
}

void ImgBtnTest::cleanup()
{
    delete window_;
    window_ = nullptr;
    button_ = nullptr;
}

void ImgBtnTest::wire()
{
    button_->SetPic(pic_);
    button_->SetPicUp(picUp_);
    button_->SetPicDown(picDown_);
    button_->SetPicDisable(picDisable_);
    auto record = [this](const char *name) {
        return [this, name](const TWMMouse &message) {
            log_.events << QString::fromLatin1(name);
            log_.messages << message;
        };
    };
    button_->OnMouseEnter = record("enter");
    button_->OnMouseLeave = record("leave");
    button_->OnMouseDown = record("down");
    button_->OnMouseUp = record("up");
    connect(button_, &TImgBtn::clicked, this, [this] {
        log_.events << QStringLiteral("click");
        log_.shownAtClick << button_->Picture();
    });
}

void ImgBtnTest::startsEmptyEnabledSupported()
{
    QVERIFY(!button_->MouseInside());
    QVERIFY(!button_->Pressed());
    QVERIFY(button_->Supported);
    QVERIFY(button_->Enabled());
    QVERIFY(button_->isEnabled());
    QVERIFY(button_->Pic().isNull());
    QVERIFY(button_->PicUp().isNull());
    QVERIFY(button_->PicDown().isNull());
    QVERIFY(button_->PicDisable().isNull());
    QVERIFY(button_->Picture().isNull());
    QVERIFY(!button_->OnMouseEnter && !button_->OnMouseLeave && !button_->OnMouseDown && !button_->OnMouseUp);
}

void ImgBtnTest::hasNoNativeWindow()
{
    wire();
    moveTo(inside());
    press(inside());
    release(inside());
    QVERIFY(!button_->testAttribute(Qt::WA_NativeWindow));
    QCOMPARE(button_->internalWinId(), WId(0));
    QVERIFY(!button_->windowHandle());
}

void ImgBtnTest::picShowsAtOncePicUpAndPicDownDoNot()
{
    button_->SetPic(pic_);
    QCOMPARE(button_->Picture(), pic_);
    button_->SetPicUp(picUp_);
    button_->SetPicDown(picDown_);
    QCOMPARE(button_->Picture(), pic_);
    QCOMPARE(button_->PicUp(), picUp_);
    QCOMPARE(button_->PicDown(), picDown_);
    // The owner may show a picture without touching Pic.
    button_->SetPicture(picDown_);
    QCOMPARE(button_->Picture(), picDown_);
    QCOMPARE(button_->Pic(), pic_);
}

void ImgBtnTest::picDisableShowsOnlyWhenDisabled()
{
    button_->SetPic(pic_);
    button_->SetPicDisable(picDisable_);
    QCOMPARE(button_->Picture(), pic_);
    QCOMPARE(button_->PicDisable(), picDisable_);

    button_->SetEnabled(false);
    const QImage other = Solid(Qt::darkYellow);
    button_->SetPicDisable(other);
    QCOMPARE(button_->Picture(), other);
}

void ImgBtnTest::assignedPicturesAreCopies()
{
    QImage source = Solid(Qt::red);
    button_->SetPic(source);
    button_->SetPicUp(source);
    button_->SetPicDown(source);
    button_->SetPicDisable(source);
    source.fill(Qt::white);
    source.setPixel(0, 0, qRgb(1, 2, 3));
    for (const QImage *held :
         {&button_->Pic(), &button_->PicUp(), &button_->PicDown(), &button_->PicDisable(), &button_->Picture()})
        QCOMPARE(held->pixel(0, 0), qRgb(255, 0, 0));
}

void ImgBtnTest::drawsAtNaturalSizeFromTopLeftWithTransparentColourSeeThrough()
{
    // A 10 x 8 bitmap: magenta (its lower-left colour) with a yellow block.
    QImage bitmap(10, 8, QImage::Format_RGB32);
    bitmap.fill(Qt::magenta);
    for (int y = 2; y < 6; ++y)
        for (int x = 3; x < 7; ++x)
            bitmap.setPixel(x, y, qRgb(255, 255, 0));
    button_->SetPic(TransparentBitmap(bitmap));

    const QImage shot = window_->grab().toImage();
    const QPoint origin = button_->pos();
    const QRgb background = qRgb(10, 20, 30);
    QCOMPARE(shot.pixel(origin + QPoint(3, 2)), qRgb(255, 255, 0));
    QCOMPARE(shot.pixel(origin + QPoint(6, 5)), qRgb(255, 255, 0));
    QCOMPARE(shot.pixel(origin + QPoint(0, 0)), background); // transparent colour
    QCOMPARE(shot.pixel(origin + QPoint(9, 7)), background);
    QCOMPARE(shot.pixel(origin + QPoint(7, 2)), background);
    // Not stretched to the control's 25 x 31.
    QCOMPARE(shot.pixel(origin + QPoint(15, 15)), background);
}

void ImgBtnTest::emptyPictureShowsTheParent()
{
    button_->SetPic(pic_);
    button_->SetPic(QImage());
    const QImage shot = window_->grab().toImage();
    QCOMPARE(shot.pixel(button_->pos() + QPoint(12, 15)), qRgb(10, 20, 30));
}

void ImgBtnTest::transparentBitmapKeysOnTheLowerLeftColour()
{
    QImage bitmap(3, 2, QImage::Format_RGB888);
    bitmap.fill(qRgb(0, 255, 0));
    bitmap.setPixel(0, 1, qRgb(1, 2, 3)); // lower left
    bitmap.setPixel(2, 0, qRgb(1, 2, 3));
    bitmap.setPixel(1, 0, qRgb(1, 2, 4)); // one step off: stays
    const QImage image = TransparentBitmap(bitmap);
    QCOMPARE(image.size(), QSize(3, 2));
    QCOMPARE(qAlpha(image.pixel(0, 1)), 0);
    QCOMPARE(qAlpha(image.pixel(2, 0)), 0);
    QCOMPARE(image.pixel(1, 0), qRgb(1, 2, 4));
    QCOMPARE(image.pixel(0, 0), qRgb(0, 255, 0));
    QVERIFY(TransparentBitmap(QImage()).isNull());
}

void ImgBtnTest::enterShowsPicUpLeaveShowsPic()
{
    wire();
    moveTo(inside());
    QVERIFY(button_->MouseInside());
    QCOMPARE(button_->Picture(), picUp_);
    moveTo(inside({20, 25}));
    QCOMPARE(log_.events, QStringList{"enter"});
    moveTo(outside());
    QVERIFY(!button_->MouseInside());
    QCOMPARE(button_->Picture(), pic_);
    QCOMPARE(log_.events, (QStringList{"enter", "leave"}));
}

void ImgBtnTest::enterAndLeaveCarryTheirMessageNumbers()
{
    wire();
    moveTo(inside());
    moveTo(outside());
    QCOMPARE(log_.messages.size(), 2);
    QCOMPARE(log_.messages[0].Msg, 0xB013u);
    QCOMPARE(log_.messages[1].Msg, 0xB014u);
    for (const TWMMouse &message : log_.messages) {
        QCOMPARE(message.Keys, 0u);
        QCOMPARE(message.XPos, std::int16_t(0));
        QCOMPARE(message.YPos, std::int16_t(0));
        QCOMPARE(message.Result, std::intptr_t(0));
    }
}

void ImgBtnTest::repeatedEnterOrLeaveEventsNotifyOnce()
{
    wire();
    QEnterEvent enter(QPointF(3, 3), QPointF(103, 33), button_->mapToGlobal(QPointF(3, 3)));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(button_, &enter);
    QCoreApplication::sendEvent(button_, &enter);
    QCOMPARE(log_.events, QStringList{"enter"});
    QCoreApplication::sendEvent(button_, &leave);
    QCoreApplication::sendEvent(button_, &leave);
    QCOMPARE(log_.events, (QStringList{"enter", "leave"}));
    QCOMPARE(button_->Picture(), pic_);
}

void ImgBtnTest::clickInsideShowsUpDownUpAndClicksBeforeMouseUp()
{
    wire();
    moveTo(inside());
    QCOMPARE(button_->Picture(), picUp_);
    press(inside());
    QVERIFY(button_->Pressed());
    QCOMPARE(button_->Picture(), picDown_);
    release(inside());
    QVERIFY(!button_->Pressed());
    QVERIFY(button_->MouseInside());
    QCOMPARE(button_->Picture(), picUp_);
    QCOMPARE(log_.events, (QStringList{"enter", "down", "click", "up"}));
    // clicked() came before the picture changed back.
    QCOMPARE(log_.shownAtClick, QList<QImage>{picDown_});
}

void ImgBtnTest::buttonMessagesCarryNumberKeysAndPosition()
{
    wire();
    moveTo(inside({7, 9}));
    QTest::mousePress(window_, Qt::LeftButton, Qt::ShiftModifier, inside({7, 9}));
    QTest::mouseRelease(window_, Qt::LeftButton, Qt::ControlModifier, inside({11, 20}));
    QCOMPARE(log_.events, (QStringList{"enter", "down", "click", "up"}));
    const TWMMouse down = log_.messages[1];
    const TWMMouse up = log_.messages[2];
    QCOMPARE(down.Msg, 0x0201u);
    QCOMPARE(down.Keys, MK_LBUTTON | MK_SHIFT);
    QCOMPARE(down.XPos, std::int16_t(7));
    QCOMPARE(down.YPos, std::int16_t(9));
    QCOMPARE(up.Msg, 0x0202u);
    QCOMPARE(up.Keys, MK_CONTROL);
    QCOMPARE(up.XPos, std::int16_t(11));
    QCOMPARE(up.YPos, std::int16_t(20));
}

void ImgBtnTest::releasedOutsideGivesNoClick()
{
    wire();
    moveTo(inside());
    press(inside());
    moveTo(outside());
    // The leave comes while the button is held, and Pressed stays.
    QCOMPARE(log_.events, (QStringList{"enter", "down", "leave"}));
    QVERIFY(button_->Pressed());
    QVERIFY(!button_->MouseInside());
    QCOMPARE(button_->Picture(), pic_);
    release(outside());
    QVERIFY(!button_->Pressed());
    QCOMPARE(button_->Picture(), pic_);
    // No click, and no second leave when Qt's own leave arrives.
    QCOMPARE(log_.events, (QStringList{"enter", "down", "leave", "up"}));
    const TWMMouse up = log_.messages.last();
    QCOMPARE(up.XPos, std::int16_t(outside().x() - button_->x()));
    QCOMPARE(up.YPos, std::int16_t(outside().y() - button_->y()));
}

void ImgBtnTest::draggedOffAndBackShowsPicDownAgain()
{
    wire();
    moveTo(inside());
    press(inside());
    moveTo(outside());
    QCOMPARE(button_->Picture(), pic_);
    moveTo(inside({20, 3}));
    QVERIFY(button_->MouseInside());
    QVERIFY(button_->Pressed());
    QCOMPARE(button_->Picture(), picDown_);
    release(inside({20, 3}));
    QCOMPARE(button_->Picture(), picUp_);
    QCOMPARE(log_.events, (QStringList{"enter", "down", "leave", "enter", "click", "up"}));
    moveTo(outside());
    QCOMPARE(log_.events.last(), QStringLiteral("leave"));
    QCOMPARE(button_->Picture(), pic_);
}

void ImgBtnTest::otherButtonsAreIgnored()
{
    wire();
    moveTo(inside());
    for (Qt::MouseButton other : {Qt::RightButton, Qt::MiddleButton}) {
        press(inside(), other);
        QVERIFY(!button_->Pressed());
        QCOMPARE(button_->Picture(), picUp_);
        release(inside(), other);
    }
    QCOMPARE(log_.events, QStringList{"enter"});
}

void ImgBtnTest::doubleClickClicksOnce()
{
    wire();
    moveTo(inside());
    // QTest's double click ends with the button held: press, release, press.
    QTest::mouseDClick(window_, Qt::LeftButton, {}, inside());
    release(inside());
    // The second press is the double click: no press, no click; its release
    // is still handled.
    QCOMPARE(log_.events, (QStringList{"enter", "down", "click", "up", "up"}));
    QVERIFY(!button_->Pressed());
    QCOMPARE(button_->Picture(), picUp_);
}

void ImgBtnTest::receiverMayDeleteTheControlInClicked()
{
    wire();
    connect(button_, &TImgBtn::clicked, this, [this] {
        delete button_;
        button_ = nullptr;
    });
    const QPoint point = inside();
    moveTo(point);
    press(point);
    release(point);
    QVERIFY(!button_);
    QCOMPARE(log_.events, (QStringList{"enter", "down", "click"}));
}

void ImgBtnTest::unsupportedFreezesThePictureAndSilencesEventsButClicks()
{
    wire();
    const QImage given = Solid(Qt::cyan);
    button_->SetPicture(given);
    button_->Supported = false;
    QSignalSpy clicks(button_, &TImgBtn::clicked);

    moveTo(inside());
    QCOMPARE(button_->Picture(), given);
    press(inside());
    QCOMPARE(button_->Picture(), given);
    QVERIFY(!button_->Pressed());
    release(inside());
    QCOMPARE(button_->Picture(), given);
    QCOMPARE(clicks.count(), 1);
    press(inside());
    moveTo(outside());
    moveTo(inside());
    moveTo(outside());
    release(outside());
    QCOMPARE(button_->Picture(), given);
    QCOMPARE(clicks.count(), 1);
    moveTo(inside());
    moveTo(outside());
    QCOMPARE(button_->Picture(), given);
    QVERIFY(!button_->MouseInside());

    // Only clicks were recorded; none of the four events ran.
    QCOMPARE(log_.events, QStringList{"click"});
}

void ImgBtnTest::disablingShowsPicDisableAndIgnoresTheMouse()
{
    wire();
    button_->SetEnabled(false);
    QVERIFY(!button_->Enabled());
    QVERIFY(!button_->isEnabled());
    QCOMPARE(button_->Picture(), picDisable_);
    moveTo(inside());
    press(inside());
    release(inside());
    moveTo(outside());
    QCOMPARE(button_->Picture(), picDisable_);
    QVERIFY(!button_->MouseInside());
    QVERIFY(!button_->Pressed());
    QVERIFY(log_.events.isEmpty());
}

void ImgBtnTest::enablingShowsPicUpUntilTheNextLeave()
{
    wire();
    button_->SetEnabled(false);
    moveTo(inside());
    button_->SetEnabled(true);
    QVERIFY(button_->Enabled());
    QVERIFY(button_->isEnabled());
    // The pointer came while disabled: not counted as inside.
    QCOMPARE(button_->Picture(), picUp_);
    QVERIFY(!button_->MouseInside());
    moveTo(outside());
    QCOMPARE(button_->Picture(), pic_);
    QCOMPARE(log_.events, QStringList{"leave"});

    // Away from the pointer too, enabling shows PicUp, not Pic.
    button_->SetEnabled(false);
    button_->SetEnabled(true);
    QCOMPARE(button_->Picture(), picUp_);
}

void ImgBtnTest::enablingWithEmptyPicUpShowsNothing()
{
    button_->SetPic(pic_);
    button_->SetEnabled(false);
    QVERIFY(button_->Picture().isNull()); // PicDisable is empty too
    button_->SetEnabled(true);
    QVERIFY(button_->Picture().isNull());
    const QImage shot = window_->grab().toImage();
    QCOMPARE(shot.pixel(button_->pos() + QPoint(12, 15)), qRgb(10, 20, 30));
}

QTEST_MAIN(ImgBtnTest)
#include "tst_imgbtn.moc"
