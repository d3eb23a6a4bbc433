#include "doclist/opendocumentsdialog.h"

#include "doclist/dialogrunner.h"

#include <QFileDialog>

namespace folivex::doclist {

const QStringList &DocumentNameFilters()
{
    static const QStringList filters = {
        QStringLiteral("All Office Presentations (*.doc *.docx *.docm *.dot *.dotx *.dotm "
                       "*.ppt *.pps *.pptx *.ppsx *.pptm *.ppsm *.pot *.potx *.potm "
                       "*.xls *.xlsx *.xlsm *.xlsb *.xlam)"),
        QStringLiteral("All Word Presentations (*.doc *.docx *.docm *.dot *.dotx *.dotm)"),
        QStringLiteral("All PowerPoint Presentations (*.ppt *.pps *.pptx *.ppsx *.pptm *.ppsm "
                       "*.pot *.potx *.potm)"),
        QStringLiteral("All Excel Presentations (*.xls *.xlsx *.xlsm *.xlsb *.xlam)"),
    };
    return filters;
}

QStringList ChooseDocumentFiles(QWidget *owner)
{
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Several files at once. Qt's dialog has no mode for several names that
    // need not exist; a typed name that does not exist is refused by the
    // dialog itself, and any that slips through is skipped by AddDocumentFile.
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilters(DocumentNameFilters());
    dialog.selectNameFilter(DocumentNameFilters().first());
    dialog.setSizeGripEnabled(true);
    return RunFileDialog(dialog);
}

} // namespace folivex::doclist
