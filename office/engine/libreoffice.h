// LibreOffice: the engine itself, the one LibreOfficeKit instance of a host
// process, with its profile. Created once; LibreOfficeKit cannot be
// initialised twice in a process, and tearing it down can crash, so it is
// never destroyed: the host ends with _exit after closing its documents.
#pragma once

#include "office/engine/engine.h"
#include "office/engine/profileslot.h"

#include <memory>
#include <string>

namespace lok {
class Office;
}

namespace folivex::office {

class LibreOffice : public Engine {
public:
    // The program folder: $FOLIVEX_LIBREOFFICE, else /usr/lib/libreoffice/program.
    static std::string programFolder();
    // Throws folivex::Error("LibreOffice Writer is not installed ...") when the
    // module for `kind` is missing (checked before anything is started).
    static void requireModule(DocumentKind kind);

    // Starts LibreOffice on a free profile with lock files turned off.
    // Throws folivex::Error when it cannot, EngineFailure when LibreOffice
    // throws. The calling thread keeps LibreOffice's lock for the life of the
    // process: it is the only one that may use LibreOffice, and nothing
    // LibreOffice schedules for later ever runs.
    LibreOffice();

    std::shared_ptr<EngineDocument> load(const std::string &path, DocumentKind kind,
                                         const std::string &application) override;

private:
    std::shared_ptr<EngineDocument> loadChecked(const std::string &path, DocumentKind kind,
                                                const std::string &application);

    ProfileSlot profile_;
    // Never freed, with the instance: see above.
    lok::Office *office_ = nullptr;
};

} // namespace folivex::office
