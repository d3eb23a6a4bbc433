#include "controls/imgbtn.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <cmath>

namespace folivex::controls {

namespace {

std::int16_t Coordinate(qreal value)
{
    // A 16-bit position, as a mouse message carries it.
    const long rounded = std::lround(value);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(rounded & 0xFFFF));
}

TWMMouse ButtonMessage(std::uint32_t number, const QMouseEvent &event)
{
    TWMMouse message;
    message.Msg = number;
    const Qt::MouseButtons buttons = event.buttons();
    if (buttons & Qt::LeftButton)
        message.Keys |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        message.Keys |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        message.Keys |= MK_MBUTTON;
    if (buttons & Qt::XButton1)
        message.Keys |= MK_XBUTTON1;
    if (buttons & Qt::XButton2)
        message.Keys |= MK_XBUTTON2;
    if (event.modifiers() & Qt::ShiftModifier)
        message.Keys |= MK_SHIFT;
    if (event.modifiers() & Qt::ControlModifier)
        message.Keys |= MK_CONTROL;
    message.XPos = Coordinate(event.position().x());
    message.YPos = Coordinate(event.position().y());
    return message;
}

TWMMouse Notification(std::uint32_t number)
{
    TWMMouse message;
    message.Msg = number;
    return message;
}

} // namespace

TImgBtn::TImgBtn(QWidget *parent) : QWidget(parent)
{
    // The parent paints what the pictures leave transparent.
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(false);
}

TImgBtn::~TImgBtn() = default;

void TImgBtn::SetPic(const QImage &picture)
{
    SetPicture(picture);
    pic_ = picture;
}

void TImgBtn::SetPicDown(const QImage &picture)
{
    picDown_ = picture;
}

void TImgBtn::SetPicUp(const QImage &picture)
{
    picUp_ = picture;
}

void TImgBtn::SetPicDisable(const QImage &picture)
{
    picDisable_ = picture;
    if (!enabled_)
        SetPicture(picDisable_);
}

void TImgBtn::SetPicture(const QImage &picture)
{
    picture_ = picture;
    update();
}

void TImgBtn::SetEnabled(bool value)
{
    setEnabled(value);
    enabled_ = value;
    if (value)
        SetPicture(picUp_);
    else
        SetPicture(picDisable_);
}

QSize TImgBtn::sizeHint() const
{
    return picture_.isNull() ? QSize(0, 0) : picture_.size();
}

void TImgBtn::paintEvent(QPaintEvent *)
{
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), picture_);
}

void TImgBtn::enterEvent(QEnterEvent *)
{
    PointerArrived();
}

void TImgBtn::leaveEvent(QEvent *)
{
    PointerGone();
}

void TImgBtn::PointerArrived()
{
    if (hot_)
        return;
    hot_ = true;
    MouseEnterNotification();
}

void TImgBtn::PointerGone()
{
    if (!hot_)
        return;
    hot_ = false;
    MouseLeaveNotification();
}

void TImgBtn::MouseEnterNotification()
{
    if (!Active())
        return;
    mouseInside_ = true;
    SetPicture(pressed_ ? picDown_ : picUp_);
    if (OnMouseEnter)
        OnMouseEnter(Notification(CM_MOUSEENTER));
}

void TImgBtn::MouseLeaveNotification()
{
    if (!Active())
        return;
    mouseInside_ = false;
    SetPicture(pic_);
    if (OnMouseLeave)
        OnMouseLeave(Notification(CM_MOUSELEAVE));
}

void TImgBtn::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    // Qt grabs the mouse for this widget until the last button comes up.
    clickBegun_ = true;
    event->accept();
    if (!Active())
        return;
    pressed_ = true;
    if (mouseInside_)
        SetPicture(picDown_);
    if (OnMouseDown)
        OnMouseDown(ButtonMessage(WM_LBUTTONDOWN, *event));
}

void TImgBtn::mouseMoveEvent(QMouseEvent *event)
{
    // Moves come here only while a button pressed on the control is held.
    // Qt sends no enter or leave then, so the crossings are found here.
    if (!(event->buttons() & Qt::LeftButton) || !clickBegun_)
        return;
    if (rect().contains(event->position().toPoint()))
        PointerArrived();
    else
        PointerGone();
}

void TImgBtn::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    event->accept();
    if (clickBegun_) {
        clickBegun_ = false;
        if (rect().contains(event->position().toPoint())) {
            const QPointer<TImgBtn> alive(this);
            emit clicked();
            if (!alive)
                return;
        }
    }
    if (!Active())
        return;
    pressed_ = false;
    if (mouseInside_)
        SetPicture(picUp_);
    if (OnMouseUp)
        OnMouseUp(ButtonMessage(WM_LBUTTONUP, *event));
}

void TImgBtn::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Qt delivers the second press of a double click as this event instead
    // of a press. A button takes it as no press at all: no click begins and
    // nothing changes, though the release that follows is handled.
    event->accept();
}

} // namespace folivex::controls
