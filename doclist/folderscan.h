// The scan behind Add folder: the Office documents of one folder.
#pragma once

#include "doclist/documententry.h"

#include <QString>
#include <string>
#include <vector>

namespace folivex::doclist {

// Joins a folder and an entry name with one "/" ("/" + "a.doc" is "/a.doc").
QString JoinPath(const QString &folder, const QString &name);

// Reads every entry of `folder` itself (hidden ones and sub-folders included,
// nothing below them), keeps those whose name IsAcceptedDocumentName() takes,
// and returns their rows built by LookUpDocument(JoinPath(folder, name)).
// The directory's own order is the file system's hash order, which means
// nothing to a user, so the rows come in name order (CompareText, then the
// bytes). An entry that cannot be looked up (removed since the directory was
// read, a dangling link) is left out. Throws folivex::Error with the system's text (file() =
// folder) when the folder cannot be opened or read.
std::vector<DocumentEntry> ScanFolder(const QString &folder);

// The names of the entries of `folder` that IsAcceptedDocumentName() takes,
// as the bytes the file system holds (a name need not be UTF-8), in the
// order ScanFolder gives them; nothing is looked up. Throws folivex::Error
// as ScanFolder does.
std::vector<std::string> ScanFolderNames(const std::string &folder);

} // namespace folivex::doclist
