// An edit field with its caption label above it (LabeledEdit1, LabeledEdit2).
#pragma once

#include <QLineEdit>

class QLabel;

namespace folivex::settings {

// The label is a sibling in the same parent, owned by that parent; it keeps
// its place 3 pixels above the edit's left top corner whenever the edit moves,
// and focuses the edit through its mnemonic ("&&" shows one ampersand).
class LabeledEdit : public QLineEdit {
    Q_OBJECT

public:
    LabeledEdit(const QString &caption, QWidget *parent);

    QLabel *EditLabel() const { return label_; }

protected:
    void moveEvent(QMoveEvent *event) override;

private:
    void placeLabel();

    QLabel *label_;
};

} // namespace folivex::settings
