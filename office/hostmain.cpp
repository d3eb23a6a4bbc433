#include "office/hostmain.h"

#include "core/error.h"
#include "office/engine/libreoffice.h"
#include "office/models/excelapplication.h"
#include "office/models/powerpointapplication.h"
#include "office/models/wordapplication.h"
#include "office/confineoffice.h"
#include "office/server/documentinbox.h"
#include "office/server/documentopener.h"
#include "office/server/hostcontext.h"
#include "office/server/server.h"
#include "platform/protocol.h"

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cstring>
#include <cstdlib>
#include <memory>
#include <string>

namespace folivex::office {

void RunHost(int argc, char **argv)
{
    // The host never outlives its client, even when it is busy in
    // LibreOffice when the client dies.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() == 1)
        ::_exit(1);

    std::string application;
    for (int i = 1; i < argc; ++i) {
        if (i + 1 < argc && std::strcmp(argv[i], "--application") == 0)
            application = argv[i + 1];
        // Read by the engine of this host and of the render worker it starts.
        if (std::strcmp(argv[i], "--unhinted-text") == 0)
            ::setenv("FOLIVEX_TEXT_HINTING", "none", 1);
    }

    Server server(wire::HostSocketFd);
    std::unique_ptr<HostContext> context;
    std::shared_ptr<HostObject> app;
    try {
        const std::optional<DocumentKind> named = DocumentKindNamed(application);
        if (!named)
            throw Error("Unknown application \"" + application + "\"");
        const DocumentKind kind = *named;
        LibreOffice::requireModule(kind);
        // The worker starts LibreOffice on the other core while this
        // process does; it confines itself as this process does.
        std::unique_ptr<RenderWorker> worker = RenderWorker::wanted(kind) ? RenderWorker::start(application) : nullptr;
        ProfileSlot profile;
        DocumentOpener opener = DocumentOpener::start();
        std::string temporaryFolder = profile.temporaryFolder();
        auto inbox = std::make_unique<DocumentInbox>(temporaryFolder + "/document");
        ConfineOfficeProcess(profile);
        // Never destroyed: see LibreOffice.
        auto *office = new LibreOffice(std::move(profile), LibreOffice::linksBlocked());
        context = std::make_unique<HostContext>(*office, std::move(worker), std::move(opener), std::move(inbox),
                                                std::move(temporaryFolder));
        if (kind == DocumentKind::Word)
            app = std::make_shared<WordApplication>(*context);
        else if (kind == DocumentKind::PowerPoint)
            app = std::make_shared<PowerPointApplication>(*context);
        else
            app = std::make_shared<ExcelApplication>(*context);
    } catch (const Error &e) {
        server.refuse(e.text());
        ::_exit(1);
    } catch (const EngineFailure &e) {
        server.refuse(std::string("LibreOffice could not be started: ") + e.what());
        ::_exit(1);
    }
    server.greet(app, context.get());
    server.run();
    ::_exit(0);
}

} // namespace folivex::office
