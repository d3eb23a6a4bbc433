#include "doclist/folderscan.h"

#include "core/error.h"
#include "doclist/comparetext.h"
#include "doclist/extensions.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <memory>

namespace folivex::doclist {

namespace {

struct DirCloser {
    void operator()(DIR *dir) const noexcept { ::closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

[[noreturn]] void throwSystemError(int error, const QString &folder, const char *stage)
{
    throw Error(std::strerror(error), folder.toStdString(), 0, stage);
}

QStringList readEntryNames(const QString &folder)
{
    DirHandle dir(::opendir(QFile::encodeName(folder).constData()));
    if (!dir)
        throwSystemError(errno, folder, "opendir");
    QStringList names;
    for (;;) {
        errno = 0;
        const dirent *entry = ::readdir(dir.get());
        if (entry == nullptr) {
            if (errno != 0)
                throwSystemError(errno, folder, "readdir");
            break;
        }
        names.append(QFile::decodeName(entry->d_name));
    }
    return names;
}

} // namespace

QString JoinPath(const QString &folder, const QString &name)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

std::vector<DocumentEntry> ScanFolder(const QString &folder)
{
    QStringList names = readEntryNames(folder);
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int folded = CompareText(a, b);
        return folded != 0 ? folded < 0 : a.toUtf8() < b.toUtf8();
    });

    std::vector<DocumentEntry> rows;
    for (const QString &name : names) {
        if (!IsAcceptedDocumentName(name))
            continue;
        try {
            rows.push_back(LookUpDocument(JoinPath(folder, name)));
        } catch (const Error &) {
            // Removed since the directory was read, or a dangling link: nothing to add.
        }
    }
    return rows;
}

} // namespace folivex::doclist
