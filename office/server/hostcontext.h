// HostContext: what the objects of one host share: the engine, the open
// documents, the pictures that copy calls made, and what the current call
// put on the clipboard. Made once by the host program and served by the
// server for the life of the process.
#pragma once

#include "office/engine/engine.h"
#include "office/server/documentinbox.h"
#include "office/server/documentopener.h"
#include "office/server/renderworker.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace folivex::office {

class HostContext {
public:
    // `worker`, when not null, is a render worker started with the host
    // for the first document that gets one. `opener` opens the one document
    // of this host, which is copied into `inbox` and loaded from there.
    // `temporaryFolder` is where LibreOffice keeps its temporary files.
    HostContext(Engine &engine, std::unique_ptr<RenderWorker> worker, DocumentOpener opener,
                std::unique_ptr<DocumentInbox> inbox, std::string temporaryFolder);

    // Loads and keeps a document; see Engine::load. The opener's errors
    // ("Cannot open PATH: there is no such file") come first; a second
    // document fails, since a host opens one. A render worker, when
    // documents of `kind` get one, loads it at the same time.
    std::shared_ptr<EngineDocument> open(const std::string &path, DocumentKind kind);
    // The render worker of `document`, or null; a closed document's worker
    // is ended here.
    RenderWorker *worker(const EngineDocument &document);
    // Quit: ends the render workers and deletes the copy of the document
    // and LibreOffice's temporary files. The documents stay loaded: the
    // process is to end right after (see requestEnd), and LibreOffice's own
    // closing of a document, a few to tens of milliseconds, would leave
    // nothing behind that outlives the process. Nothing opens afterwards.
    void endWork();

    // A copy call: keeps the picture and lists it on the clipboard as an
    // enhanced metafile, replacing what the call put before.
    void copyPicture(PagePicture picture);
    // Throws folivex::Error when `id` is unknown.
    const PagePicture &picture(uint32_t id) const;
    void releasePicture(uint32_t id);
    // What the current call put on the clipboard: (format, picture id)
    // pairs; cleared by taking them.
    std::vector<std::pair<uint32_t, uint32_t>> takeClipboard();

    // Quit asks the process to end after its reply.
    void requestEnd() { ending_ = true; }
    bool ending() const { return ending_; }

private:
    Engine &engine_;
    std::unique_ptr<RenderWorker> startedWorker_;
    DocumentOpener opener_;
    std::unique_ptr<DocumentInbox> inbox_;
    std::string temporaryFolder_;
    std::vector<std::shared_ptr<EngineDocument>> documents_;
    std::map<const EngineDocument *, std::unique_ptr<RenderWorker>> workers_;
    std::map<uint32_t, PagePicture> pictures_;
    uint32_t nextPicture_ = 1;
    std::vector<std::pair<uint32_t, uint32_t>> clipboard_;
    bool ending_ = false;
};

} // namespace folivex::office
