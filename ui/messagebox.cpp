#include "messagebox.h"

#include <QMessageBox>

namespace folivex::ui {

namespace {

MessageBoxHandler &currentHandler()
{
    static MessageBoxHandler handler;
    return handler;
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
