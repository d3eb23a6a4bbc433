#include "doclist/dialogrunner.h"

#include <QFileDialog>

namespace folivex::doclist {

namespace {

DialogRunner &installedRunner()
{
    static DialogRunner runner;
    return runner;
}

} // namespace

QStringList RunFileDialog(QFileDialog &dialog)
{
    if (const DialogRunner &runner = installedRunner())
        return runner(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

DialogRunner SetDialogRunner(DialogRunner runner)
{
    DialogRunner previous = std::move(installedRunner());
    installedRunner() = std::move(runner);
    return previous;
}

} // namespace folivex::doclist
