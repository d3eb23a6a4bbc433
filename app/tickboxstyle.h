// The list's style: the application's style, except for the rows' tick
// boxes, drawn as an opaque white box in a dark frame, with a dark tick when
// the row is ticked. The list's background picture takes away the palette's
// base colour that styles fill their boxes with, which left an unticked box
// a pale outline on the pale picture.
#pragma once

#include <QProxyStyle>

namespace folivex::app {

class TickBoxStyle : public QProxyStyle {
    Q_OBJECT

public:
    TickBoxStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
};

} // namespace folivex::app
