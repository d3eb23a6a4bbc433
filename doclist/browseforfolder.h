// The folder picker, used by Add folder and by the settings dialog's folder button.
#pragma once

#include <QString>

namespace folivex::doclist {

inline constexpr const char *kBrowseForFolderTitle = "Please Choose a Folder";

// Shows the folder picker titled "Please Choose a Folder", owned by the
// active window, folders only, opened on `initialFolder` (on the home folder
// when that is empty). Returns the chosen folder's absolute path without a
// trailing "/" (the root stays "/"), or an empty text when the user cancels.
// Goes through RunFileDialog, so tests can answer it. Never throws.
QString BrowseForFolder(const QString &initialFolder);

} // namespace folivex::doclist
