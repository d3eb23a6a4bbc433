#include "helppage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace folivex::app {

QString FindHelpPage()
{
    return FindHelpPage(QCoreApplication::applicationDirPath());
}

QString FindHelpPage(const QString &programFolder)
{
    const QString folders[] = {
        programFolder,
        programFolder + QStringLiteral("/" FOLIVEX_DATA_DIR_FROM_PROGRAM),
        QStringLiteral(FOLIVEX_DATA_DIR),
    };
    for (const QString &folder : folders) {
        const QString path = QDir::cleanPath(folder + "/" + kHelpFileName);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

} // namespace folivex::app
