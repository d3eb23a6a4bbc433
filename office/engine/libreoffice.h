// LibreOffice: the engine itself, the one LibreOfficeKit instance of a host
// process, with its profile. Created once; LibreOfficeKit cannot be
// initialised twice in a process, and tearing it down can crash, so it is
// never destroyed: the host ends with _exit, its documents still loaded.
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

    // Starts LibreOffice on `profile` with lock files turned off and, unless
    // `blockLinks` is false (for tests of the confinement alone), every
    // link to content outside a document blocked. Throws folivex::Error when
    // it cannot, EngineFailure when LibreOffice throws. The calling thread
    // keeps LibreOffice's lock for the life of the process: it is the only
    // one that may use LibreOffice, and nothing LibreOffice schedules for
    // later ever runs.
    explicit LibreOffice(ProfileSlot profile, bool blockLinks = true);

    std::shared_ptr<EngineDocument> load(const DocumentFile &file, DocumentKind kind) override;

    // Whether links stay blocked: $FOLIVEX_BLOCK_LINKS=0 lets them through,
    // for tests that check the kernel's confinement alone.
    static bool linksBlocked();

private:
    std::shared_ptr<EngineDocument> loadChecked(const DocumentFile &file, DocumentKind kind);

    ProfileSlot profile_;
    // Never freed, with the instance: see above.
    lok::Office *office_ = nullptr;
};

} // namespace folivex::office
