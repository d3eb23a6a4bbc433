// How the document list's file dialogs are run.
//
// The open dialog and the folder picker are built and configured by their
// callers and then handed to RunFileDialog, which shows them modally. Tests
// replace the runner: it receives the fully configured dialog (so its title,
// mode and filters can be checked) and returns what a user would have chosen,
// without showing anything.
#pragma once

#include <QStringList>
#include <functional>

class QFileDialog;

namespace folivex::doclist {

// Returns the chosen paths in the dialog's order; empty when cancelled.
using DialogRunner = std::function<QStringList(QFileDialog &dialog)>;

// Runs `dialog` through the installed runner, or modally (exec) when none is
// installed. Never throws.
QStringList RunFileDialog(QFileDialog &dialog);

// Installs `runner` (an empty one restores the modal dialog) and returns the
// previous runner.
DialogRunner SetDialogRunner(DialogRunner runner);

} // namespace folivex::doclist
