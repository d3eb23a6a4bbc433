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

[[noreturn]] void throwSystemError(int error, const std::string &folder, const char *stage)
{
    throw Error(std::strerror(error), folder, 0, stage);
}

std::vector<std::string> readEntryNames(const std::string &folder)
{
    DirHandle dir(::opendir(folder.c_str()));
    if (!dir)
        throwSystemError(errno, folder, "opendir");
    std::vector<std::string> names;
    for (;;) {
        errno = 0;
        const dirent *entry = ::readdir(dir.get());
        if (entry == nullptr) {
            if (errno != 0)
                throwSystemError(errno, folder, "readdir");
            break;
        }
        names.emplace_back(entry->d_name);
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

std::vector<std::string> ScanFolderNames(const std::string &folder)
{
    // The text of a name serves the extension test and the order; the bytes
    // stay the name, and break ties between names that read alike.
    struct Named {
        std::string bytes;
        QString text;
    };
    std::vector<Named> names;
    for (std::string &name : readEntryNames(folder)) {
        QString text = QFile::decodeName(name.c_str());
        if (IsAcceptedDocumentName(text))
            names.push_back({std::move(name), std::move(text)});
    }
    std::sort(names.begin(), names.end(), [](const Named &a, const Named &b) {
        const int folded = CompareText(a.text, b.text);
        return folded != 0 ? folded < 0 : a.bytes < b.bytes;
    });
    std::vector<std::string> result;
    for (Named &name : names)
        result.push_back(std::move(name.bytes));
    return result;
}

std::vector<DocumentEntry> ScanFolder(const QString &folder)
{
    std::vector<DocumentEntry> rows;
    for (const std::string &name : ScanFolderNames(QFile::encodeName(folder).toStdString())) {
        try {
            rows.push_back(LookUpDocument(JoinPath(folder, QFile::decodeName(name.c_str()))));
        } catch (const Error &) {
            // Removed since the directory was read, or a dangling link: nothing to add.
        }
    }
    return rows;
}

} // namespace folivex::doclist
