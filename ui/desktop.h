// Handing folders, files and web addresses to the desktop's default handler.
//
// Everything the program opens goes through OpenWithDesktop, so tests install
// a handler that records what would have been opened.
#pragma once

#include <QUrl>

#include <functional>

namespace folivex::ui {

using DesktopOpener = std::function<void(const QUrl &url)>;

// Opens `url` with the desktop's handler for it (a folder in the file
// manager, a page in the browser). The outcome is not examined. Never throws.
void OpenWithDesktop(const QUrl &url);

// Replaces the opener (an empty one restores the desktop's); returns the previous one.
DesktopOpener SetDesktopOpener(DesktopOpener opener);

} // namespace folivex::ui
