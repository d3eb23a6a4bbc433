#include "doclist/documententry.h"

#include "core/error.h"
#include "doclist/filetimetext.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace folivex::doclist {

QString SizeText(std::uint64_t bytes)
{
    return QString::number(bytes / 1024) + QStringLiteral("KB");
}

DocumentEntry LookUpDocument(const QString &path)
{
    const QByteArray encoded = QFile::encodeName(path);
    struct statx info {};
    if (::statx(AT_FDCWD, encoded.constData(), AT_STATX_SYNC_AS_STAT,
                STATX_TYPE | STATX_SIZE | STATX_MTIME | STATX_BTIME, &info) != 0) {
        const int error = errno;
        throw Error(std::strerror(error), path.toStdString(), 0, "statx");
    }

    DocumentEntry entry;
    entry.name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    entry.path = path;
    entry.sizeText = SizeText(S_ISDIR(info.stx_mode) ? 0 : info.stx_size);
    try {
        const bool hasBirthTime = (info.stx_mask & STATX_BTIME) != 0;
        entry.buildTimeText = FileTimeText(hasBirthTime ? info.stx_btime.tv_sec : info.stx_mtime.tv_sec);
        entry.modifyTimeText = FileTimeText(info.stx_mtime.tv_sec);
    } catch (const Error &error) {
        throw error.withContext(path.toStdString());
    }
    entry.ticked = true;
    return entry;
}

} // namespace folivex::doclist
