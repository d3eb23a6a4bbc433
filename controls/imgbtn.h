// TImgBtn: a picture control that behaves as a button with a normal picture
// (Pic), a pointer-over picture (PicUp), a pressed picture (PicDown) and a
// disabled picture (PicDisable).
//
// The control has no native window of its own: it is a Qt alien widget that
// its parent's window draws. Never call winId() on it or set
// Qt::WA_NativeWindow, or the enter and leave tracking below changes.
//
// Pictures are QImages, held by value: assigning one stores the control's own
// copy, the caller's image is never kept. The shown picture (Picture) is
// drawn at its natural size from the top-left corner; its alpha channel is
// respected, so a bitmap passed through TransparentBitmap() shows its
// transparent colour see-through. A null image shows as an empty control.
// The control's size is the owner's to set (sizeHint is the picture's size).
//
// Behaviour, for an enabled control with Supported true:
//  - the pointer moving onto the control: MouseInside := true, shows PicDown
//    if Pressed else PicUp, then OnMouseEnter (message 0xB013);
//  - the pointer moving off: MouseInside := false, shows Pic, then
//    OnMouseLeave (0xB014); Pressed stays as it is;
//  - left button down: Pressed := true, shows PicDown if MouseInside, then
//    OnMouseDown (0x0201);
//  - left button up: first clicked() when the press began on this control
//    and the release point lies inside it, then Pressed := false, shows
//    PicUp if MouseInside, then OnMouseUp (0x0202).
// While the left button is held after a press on the control, the control
// keeps the mouse: moving off it and back on gives it leave and enter
// notifications there and then (not after the release), and only it gets
// them. A press dragged off and released outside gives no clicked().
// With Enabled or Supported false the four steps above do nothing and none
// of the four events is called; with Supported false clicked() still fires,
// a disabled control gets no button messages at all. Other buttons than the
// left one are ignored. The second press of a double click is not a press:
// it begins no click and changes nothing, so a double click gives one
// clicked(); its release is handled as any release.
//
// OnClick is the Qt signal clicked(). A receiver may delete the control from
// it (the rest of the release handling is then skipped).
#pragma once

#include "controls/twmmouse.h"

#include <QImage>
#include <QWidget>

namespace folivex::controls {

class TImgBtn : public QWidget {
    Q_OBJECT

public:
    explicit TImgBtn(QWidget *parent = nullptr);
    ~TImgBtn() override;

    // The pointer is over the control (set by the enter and leave handling).
    bool MouseInside() const { return mouseInside_; }
    // The left button went down on the control and has not yet come up.
    bool Pressed() const { return pressed_; }

    // Called after the control has handled the message; set freely, may be
    // left empty. They must not throw.
    TOnMouseEvent OnMouseEnter;
    TOnMouseEvent OnMouseLeave;
    TOnMouseEvent OnMouseDown;
    TOnMouseEvent OnMouseUp;

    // When false the control changes no picture and calls none of the four
    // events above; clicked() still fires. Set freely.
    bool Supported = true;

    // The normal picture: writing it shows it at once.
    const QImage &Pic() const { return pic_; }
    void SetPic(const QImage &picture);
    // The pressed picture: writing it does not change the shown picture.
    const QImage &PicDown() const { return picDown_; }
    void SetPicDown(const QImage &picture);
    // The pointer-over picture: writing it does not change the shown picture.
    const QImage &PicUp() const { return picUp_; }
    void SetPicUp(const QImage &picture);
    // The disabled picture: writing it shows it at once only while the
    // control is disabled (Enabled false).
    const QImage &PicDisable() const { return picDisable_; }
    void SetPicDisable(const QImage &picture);

    // The picture being shown. Owners may set it directly (as the caption
    // buttons do together with Pic); the control itself sets it as above.
    const QImage &Picture() const { return picture_; }
    void SetPicture(const QImage &picture);

    // The control's own copy of its enabled state. SetEnabled sets Qt's
    // enabled state too, then shows PicUp when enabling (even an empty one:
    // enabling shows the pointer-over picture, not Pic, until the next
    // leave) and PicDisable when disabling. Use this rather than
    // QWidget::setEnabled, which leaves the own flag alone.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);

    QSize sizeHint() const override;

signals:
    // OnClick: a left press and release on the control, released inside it.
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    // The pointer has come onto or gone off the control, as the window
    // system sees it: each runs once per crossing, whichever Qt event or
    // grabbed move reports it.
    void PointerArrived();
    void PointerGone();
    void MouseEnterNotification();
    void MouseLeaveNotification();
    bool Active() const { return enabled_ && Supported; }

    bool mouseInside_ = false;
    bool pressed_ = false;
    bool enabled_ = true;
    QImage pic_;
    QImage picDown_;
    QImage picUp_;
    QImage picDisable_;
    QImage picture_;
    // The pointer is over the control as far as enter and leave go.
    bool hot_ = false;
    // A left press on this control began a click that its release may end.
    bool clickBegun_ = false;
};

} // namespace folivex::controls
