// LibreOffice: the one LibreOfficeKit instance of a host process, with its
// profile. Created once; LibreOfficeKit cannot be initialised twice in a
// process, and tearing it down can crash, so it is never destroyed: the host
// ends with _exit after closing its documents.
#pragma once

#include "office/engine/profileslot.h"

#include <memory>
#include <string>

namespace lok {
class Office;
}

namespace folivex::office {

class OfficeDocument;

// The document kinds of LibreOfficeKit.
enum class DocumentKind { Text = 0, Spreadsheet = 1, Presentation = 2, Drawing = 3, Other = 4 };

class LibreOffice {
public:
    // The program folder: $FOLIVEX_LIBREOFFICE, else /usr/lib/libreoffice/program.
    static std::string programFolder();
    // Throws folivex::Error("LibreOffice Writer is not installed ...") when the
    // module for `kind` is missing (checked before anything is started).
    static void requireModule(DocumentKind kind);

    // Starts LibreOffice on a free profile with lock files turned off.
    // Throws folivex::Error when it cannot.
    LibreOffice();

    // Loads `path` read-only, never asking anything. The loaded document must
    // be of `kind`; `application` names the program in error texts. Throws
    // folivex::Error for a missing, empty, unreadable, protected or
    // wrong-kind file.
    std::shared_ptr<OfficeDocument> load(const std::string &path, DocumentKind kind, const std::string &application);

private:
    ProfileSlot profile_;
    lok::Office *office_ = nullptr;
};

} // namespace folivex::office
