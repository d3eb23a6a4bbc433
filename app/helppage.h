// Where the help page is: next to the executable, else in the installed data folder.
#pragma once

#include <QString>

namespace folivex::app {

inline constexpr const char *kHelpFileName = "quillmark.html";

// The help page's path, or an empty text when neither place has it.
QString FindHelpPage();

} // namespace folivex::app
