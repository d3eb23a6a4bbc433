// The open dialog of Add file.
#pragma once

#include <QStringList>

class QWidget;

namespace folivex::doclist {

// The dialog's four name filters in the order shown: all Office documents,
// Word, PowerPoint, Excel, their patterns the known extensions of
// core/documentkind.h. The first is preselected.
const QStringList &DocumentNameFilters();

// Shows the open dialog owned by `owner` (may be null): several files may be
// chosen, the first filter is preselected, the title is left to the dialog.
// Returns the chosen files in the dialog's order, or an empty list when the
// user cancels. Goes through RunFileDialog. Never throws.
QStringList ChooseDocumentFiles(QWidget *owner);

} // namespace folivex::doclist
