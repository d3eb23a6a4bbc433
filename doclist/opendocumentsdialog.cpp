#include "doclist/opendocumentsdialog.h"

#include "core/documentkind.h"
#include "doclist/dialogrunner.h"

#include <QFileDialog>

namespace folivex::doclist {

namespace {

// "*.doc *.docx ..." for the known extensions of `kind`, in the table's order.
QString patternsOf(DocumentKind kind)
{
    QStringList patterns;
    for (std::string_view extension : FactsOf(kind).extensions)
        patterns.append(QLatin1Char('*') + QString::fromLatin1(extension.data(), qsizetype(extension.size())));
    return patterns.join(QLatin1Char(' '));
}

} // namespace

const QStringList &DocumentNameFilters()
{
    static const QStringList filters = [] {
        const QString word = patternsOf(DocumentKind::Word);
        const QString powerPoint = patternsOf(DocumentKind::PowerPoint);
        const QString excel = patternsOf(DocumentKind::Excel);
        return QStringList{
            QStringLiteral("All Office Presentations (%1 %2 %3)").arg(word, powerPoint, excel),
            QStringLiteral("All Word Presentations (%1)").arg(word),
            QStringLiteral("All PowerPoint Presentations (%1)").arg(powerPoint),
            QStringLiteral("All Excel Presentations (%1)").arg(excel),
        };
    }();
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
