#include "helppage.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace folivex::app {

QString FindHelpPage()
{
    for (const QString &folder : {QCoreApplication::applicationDirPath(), QStringLiteral(FOLIVEX_DATA_DIR)}) {
        const QString path = folder + "/" + kHelpFileName;
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

} // namespace folivex::app
