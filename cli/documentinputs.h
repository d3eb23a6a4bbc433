// The documents a command line names: files, folders (with the folders below
// them on request) and lists of paths, each document once.
#pragma once

#include <cstdio>
#include <string>
#include <sys/types.h>
#include <vector>

namespace folivex::cli {

struct DocumentInput {
    std::string path;      // as named or found: bytes, not necessarily UTF-8
    std::string problem;   // why it cannot be converted before trying ("No such file or directory"); empty if none
    std::string subfolder; // the folders from the named folder down to the document ("a/b"); empty when none
};

// The documents of `paths` in the order given: a file as it is (whatever
// its name), a folder as the window's Add folder scans it (its Office
// documents in name order), with the folders below it in name order when
// `recursive`; a path that does not exist, or a folder that cannot be read,
// as a problem. Names are bytes throughout. An entry that is no regular file
// (a FIFO, a device, a folder named like a document when not `recursive`)
// comes with a problem that says what it is. Documents named more than once
// come once, where first named.
std::vector<DocumentInput> CollectDocuments(const std::vector<std::string> &paths, bool recursive);

// What an entry of file type `mode` (stat's st_mode) that is no regular
// file is: "it is a named pipe (FIFO), not a document".
std::string NotADocumentText(mode_t mode);

// The paths of a list, one a line: every byte but the newline belongs to the
// name, blank lines are left out. Throws folivex::Error when it cannot be read.
std::vector<std::string> ReadPathList(std::FILE *list, const std::string &name);

} // namespace folivex::cli
