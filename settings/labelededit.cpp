#include "settings/labelededit.h"

#include <QLabel>

namespace folivex::settings {

namespace {

constexpr int kLabelSpacing = 3;

} // namespace

LabeledEdit::LabeledEdit(const QString &caption, QWidget *parent)
    : QLineEdit(parent), label_(new QLabel(caption, parent))
{
    label_->setBuddy(this);
    label_->adjustSize();
    placeLabel();
}

void LabeledEdit::moveEvent(QMoveEvent *event)
{
    QLineEdit::moveEvent(event);
    placeLabel();
}

void LabeledEdit::placeLabel()
{
    label_->adjustSize();
    label_->move(x(), y() - kLabelSpacing - label_->height());
}

} // namespace folivex::settings
