#include "messagebox.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace folivex::ui {

namespace {

MessageBoxHandler &currentHandler()
{
    static MessageBoxHandler handler;
    return handler;
}

// Room a window manager's title bar takes besides the caption: the
// window's icon and its three buttons, with their spacing.
constexpr int kTitleBarExtras = 120;

// A QMessageBox is as wide as its text needs; a short text under a longer
// caption ("Successed!" under "Congratulation") would have the title cut.
// A spacer across the box's grid holds it open to the caption's width.
void makeRoomForCaption(QMessageBox &box, const QString &caption)
{
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    QFont bold = box.font();
    bold.setBold(true); // title bars mostly draw their caption bold
    const int width = QFontMetrics(bold).horizontalAdvance(caption) + kTitleBarExtras;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

} // namespace

void ShowMessageBox(QWidget *owner, const QString &text, const QString &caption, const QString &detail)
{
    if (const MessageBoxHandler &handler = currentHandler()) {
        handler(detail.isEmpty() ? text : text + QLatin1Char('\n') + detail, caption);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, owner);
    if (!detail.isEmpty())
        box.setInformativeText(detail);
    makeRoomForCaption(box, caption);
    box.exec();
}

void ShowErrorBox(QWidget *owner, const QString &text)
{
    ShowMessageBox(owner, text, QString::fromLatin1(kErrorBoxCaption));
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    MessageBoxHandler previous = std::move(currentHandler());
    currentHandler() = std::move(handler);
    return previous;
}

} // namespace folivex::ui
