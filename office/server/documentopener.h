// DocumentOpener: the one file a confined host may open outside its own
// folders. The host is confined before it knows its document (it is started
// ahead of it), so a small process forked before the confinement opens the
// document for it and hands over the open descriptor. It hands over one
// descriptor only, for the document the client asked the host to open,
// before the host has read a byte of any document; then it leaves. So
// nothing a document makes the host do later can open another file through
// it. A path that opens nothing (missing, empty, no regular file) gives
// nothing away, and the host may be asked for another.
#pragma once

#include "core/uniquefd.h"

#include <sys/types.h>

#include <string>

namespace folivex::office {

class DocumentOpener {
public:
    // Forks the opener. Call it while the process has one thread. Throws
    // folivex::Error with the system's text when it cannot.
    static DocumentOpener start();

    DocumentOpener() = default;
    DocumentOpener(DocumentOpener &&other) noexcept;
    DocumentOpener &operator=(DocumentOpener &&other) noexcept;
    // Ends the opener if it still waits, and reaps it.
    ~DocumentOpener();

    // Opens `path` for reading; once it has succeeded, never again. Throws
    // folivex::Error("Cannot open PATH: REASON") when the file cannot be
    // opened, is no regular file ("there is no such file") or is empty ("the
    // file is empty"), or when the opener is gone or has opened a document
    // already.
    UniqueFd open(const std::string &path);

private:
    void finish();

    UniqueFd socket_;
    pid_t pid_ = -1;
};

} // namespace folivex::office
