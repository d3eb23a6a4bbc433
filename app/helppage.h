// Where the help page is: next to the executable, else in the installed data
// folder.
#pragma once

#include <QString>

namespace folivex::app {

inline constexpr const char *kHelpFileName = "quillmark.html";

// The help page's path, or an empty text when no place has it.
QString FindHelpPage();

// The help page of a program in `programFolder`: beside it (the build tree),
// else in the data folder of the installed layout that the folder belongs to
// (bin/../share/folivex, whatever the prefix), else in the data folder of the
// configured prefix. The path is cleaned of "..". Empty when none has it.
QString FindHelpPage(const QString &programFolder);

} // namespace folivex::app
