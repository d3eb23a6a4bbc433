#include "desktop.h"

#include <QDesktopServices>

namespace folivex::ui {

namespace {

DesktopOpener &currentOpener()
{
    static DesktopOpener opener;
    return opener;
}

} // namespace

void OpenWithDesktop(const QUrl &url)
{
    if (const DesktopOpener &opener = currentOpener()) {
        opener(url);
        return;
    }
    QDesktopServices::openUrl(url);
}

DesktopOpener SetDesktopOpener(DesktopOpener opener)
{
    DesktopOpener previous = std::move(currentOpener());
    currentOpener() = std::move(opener);
    return previous;
}

} // namespace folivex::ui
