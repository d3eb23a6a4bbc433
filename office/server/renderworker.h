// RenderWorker: the host's handle on a render worker, a second folivex-office
// process that loads the host's document too and renders whole pictures of
// it into memory the two share. With it the host and the worker each render
// every other page of a long document while the client encodes, which keeps
// both cores busy when the host alone would be the slowest of the three.
//
// A worker is started with its host, so that it starts LibreOffice while the
// host does, and is given its document when the host opens one; it loads in
// parallel with the host and is used only once it has the very layout the
// host has (as many parts, the same page rectangles):
// the same LibreOffice on the same file then draws the same pixels. Any
// failure ends the worker for good and the host renders alone; nothing of
// this class throws, a worker is only ever a help.
#pragma once

#include "core/mappedregion.h"
#include "core/uniquefd.h"
#include "office/engine/engine.h"
#include "office/server/workerchannel.h"
#include "platform/hostprocess.h"

#include <memory>
#include <optional>
#include <string>

namespace folivex::office {

class RenderWorker {
public:
    // Whether documents of `kind` get a worker in this host: text documents
    // and presentations, when $FOLIVEX_RENDER_WORKER is 1 (the client sets
    // it when this host converts alone on a machine with a core to spare;
    // see AllowRenderWorkers).
    static bool wanted(DocumentKind kind);
    // Starts a worker for `application` that starts LibreOffice and then
    // waits for its document; null when none can be started.
    static std::unique_ptr<RenderWorker> start(const std::string &application);

    // Kills the worker at once, and says on standard error how many
    // pictures it drew, or why it was lost.
    ~RenderWorker();

    // Has the worker load the document `path` that `fd` reads (the worker
    // reads it from the descriptor: it cannot open the path); once only,
    // before anything else.
    void load(const std::string &path, int fd);
    // True once the worker has loaded `own` with its layout; false while it
    // loads, and for good once it failed or laid the document out otherwise.
    // Never waits.
    bool ready(const EngineDocument &own);
    // True while no job is in flight: none was given, or it has finished.
    bool idle();
    // The job given last, in flight or finished and not yet taken.
    const std::optional<PagePicture> &job() const { return job_; }
    // Whether that job is at width x height.
    bool jobSized(int width, int height) const { return job_ && width_ == width && height_ == height; }
    // Starts rendering `picture` at width x height; false when the worker
    // is busy, lost or cannot be given the job.
    bool submit(const PagePicture &picture, int width, int height);
    // When the job is `picture` at width x height: waits for it and copies it
    // into `canvas` (width x height BGRA) and returns true. Otherwise, or
    // when the worker fails, returns false.
    bool take(const PagePicture &picture, int width, int height, unsigned char *canvas);
    // Forgets a finished job.
    void dropFinished();

private:
    RenderWorker(std::unique_ptr<automation::HostProcess> process);
    // Waits up to `timeoutMs` for the job in flight; false when the worker
    // is lost.
    bool finish(int timeoutMs);
    void lose(const std::string &why);

    std::unique_ptr<automation::HostProcess> process_;
    WorkerChannel channel_;
    bool checked_ = false;
    bool usable_ = false;
    bool lost_ = false;
    std::optional<PagePicture> job_;
    bool running_ = false;
    int width_ = 0;
    int height_ = 0;
    UniqueFd bufferFd_;
    MappedRegion buffer_;
    bool bufferSent_ = false;
    int drawn_ = 0;
    std::string lostBecause_;
};

} // namespace folivex::office
