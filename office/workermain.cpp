#include "office/workermain.h"

#include "core/error.h"
#include "core/mappedregion.h"
#include "office/confineoffice.h"
#include "office/engine/libreoffice.h"
#include "office/server/documentinbox.h"
#include "office/server/workerchannel.h"
#include "platform/protocol.h"

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <string>

namespace folivex::office {

namespace {

std::string argument(int argc, char **argv, const char *name)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return argv[i + 1];
    return {};
}

// Render workers draw the pages of texts and the slides of presentations.
DocumentKind kindOf(const std::string &application)
{
    const std::optional<DocumentKind> kind = DocumentKindNamed(application);
    if (!kind || *kind == DocumentKind::Excel)
        throw Error("No render worker for \"" + application + "\"");
    return *kind;
}

void serve(WorkerChannel &channel, EngineDocument &document)
{
    MappedRegion buffer;
    while (std::optional<wire::Frame> frame = channel.receive(-1)) {
        wire::WireWriter answer;
        try {
            WorkerJob job = ReadJob(*frame, "the host");
            if (UniqueFd fd = channel.takeFd()) {
                buffer.reset();
                buffer = MappedRegion(fd.get(), job.bufferBytes, "the picture buffer");
            }
            if (job.width <= 0 || job.height <= 0 || !buffer ||
                size_t(job.width) * size_t(job.height) * 4 > buffer.size())
                throw Error("The picture buffer does not fit the picture");
            document.render(buffer.data(), job.width, job.height, job.part, job.area);
            answer = DoneMessage();
        } catch (const Error &e) {
            answer = FailureMessage(e.text());
        } catch (const std::exception &e) {
            answer = FailureMessage(std::string("LibreOffice failed: ") + e.what());
        }
        if (!channel.send(answer))
            return;
    }
}

} // namespace

void RunRenderWorker(int argc, char **argv)
{
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() == 1)
        ::_exit(1);
    WorkerChannel channel(wire::HostSocketFd, "the host");
    const std::string application = argument(argc, argv, "--application");
    std::shared_ptr<EngineDocument> document;
    // The copy stays while LibreOffice may read it, for the life of the worker.
    std::unique_ptr<DocumentInbox> inbox;
    try {
        const DocumentKind kind = kindOf(application);
        ProfileSlot profile;
        inbox = std::make_unique<DocumentInbox>(profile.temporaryFolder() + "/document");
        ConfineOfficeProcess(profile);
        // Never destroyed: see LibreOffice.
        auto *office = new LibreOffice(std::move(profile), LibreOffice::linksBlocked());
        // The host starts its worker before it knows the document, and
        // hands it the host's copy of it.
        std::optional<wire::Frame> load = channel.receive(-1);
        if (!load)
            ::_exit(0);
        const std::string path = ReadLoad(*load, "the host");
        UniqueFd file = channel.takeFd();
        if (!file)
            throw Error("The host sent no document");
        document = office->load({path, inbox->take(file.get(), path)}, kind);
        if (!channel.send(LayoutMessage(*document)))
            ::_exit(0);
    } catch (const Error &e) {
        channel.send(FailureMessage(e.text()));
        ::_exit(1);
    } catch (const std::exception &e) {
        channel.send(FailureMessage(std::string("LibreOffice failed: ") + e.what()));
        ::_exit(1);
    }
    serve(channel, *document);
    ::_exit(0);
}

} // namespace folivex::office
