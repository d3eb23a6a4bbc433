#include "doclist/browseforfolder.h"

#include "doclist/dialogrunner.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

namespace folivex::doclist {

QString BrowseForFolder(const QString &initialFolder)
{
    QFileDialog picker(QApplication::activeWindow(), QString::fromLatin1(kBrowseForFolderTitle));
    picker.setFileMode(QFileDialog::Directory);
    picker.setOption(QFileDialog::ShowDirsOnly, true);
    picker.setDirectory(initialFolder.isEmpty() ? QDir::homePath() : initialFolder);

    const QStringList chosen = RunFileDialog(picker);
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return {};
    QString folder = chosen.first();
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

} // namespace folivex::doclist
