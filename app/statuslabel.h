// The status text of the main window (Label1). It holds its text as set;
// when the text is wider than the label, what comes before the path
// ("Converting  ") is drawn whole and the path loses a middle part, before
// its last "/" when the file name fits on its own. The owner gives the label
// its width and the full text as its tool tip.
#pragma once

#include <QLabel>

namespace folivex::app {

class StatusLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    // The text as it is drawn at the label's present width.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace folivex::app
