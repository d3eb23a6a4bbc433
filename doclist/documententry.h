// One row of the document list and how it is built from a file.
#pragma once

#include <QString>
#include <cstdint>

namespace folivex::doclist {

// The five texts of a row are fixed when the row is added and never
// refreshed. The conversion uses only `ticked` and `path`.
struct DocumentEntry {
    QString name;           // the row's caption: the file name without folder
    QString path;           // the path as it was given
    QString sizeText;       // SizeText() of the file's length
    QString buildTimeText;  // FileTimeText() of the birth time (last write where none is recorded)
    QString modifyTimeText; // FileTimeText() of the last-write time
    bool ticked = true;     // every new row starts ticked

    friend bool operator==(const DocumentEntry &, const DocumentEntry &) = default;
};

// The size in KB: bytes divided by 1024, truncated, in decimal, then "KB"
// ("0KB", "9KB", "10KB"). Files of 2 GiB and more show their true size.
QString SizeText(std::uint64_t bytes);

// Looks `path` up (statx, following symbolic links) and builds its row: the
// caption is the text after the last "/", the path is kept unchanged. A
// folder counts as 0 bytes. Throws folivex::Error with the system's text
// (file() = path) when the entry cannot be looked up, for instance when it
// does not exist.
DocumentEntry LookUpDocument(const QString &path);

} // namespace folivex::doclist
