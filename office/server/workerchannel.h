// WorkerChannel: the messages between the host and one of its render
// workers, over a stream socket: frames as on the client's socket (wire.h),
// a descriptor travelling with a frame as SCM_RIGHTS. Both ends are this
// program, so the two sides read and write each other's frames exactly.
//
// The channel does not own the socket. Once the peer is gone or out of
// step, broken() is true for good and nothing more is sent or read.
#pragma once

#include "core/uniquefd.h"
#include "office/engine/engine.h"
#include "platform/frameparser.h"
#include "platform/wire.h"

#include <optional>
#include <string>
#include <vector>

namespace folivex::office {

class WorkerChannel {
public:
    // `peer` names the other end in error texts, the article included
    // ("the host", "the render worker").
    WorkerChannel(int socket, std::string peer);

    // Sends one frame, with `fd` attached when it is not -1; false when the
    // peer is gone. Never throws.
    bool send(const wire::WireWriter &body, int fd = -1);
    // The next frame, waiting up to `timeoutMs` (-1: for as long as it
    // takes; 0: only what has arrived). Nothing on timeout or once broken.
    // Never throws.
    std::optional<wire::Frame> receive(int timeoutMs);
    // The descriptor that came with the frames received so far, if any.
    UniqueFd takeFd() { return std::move(fd_); }
    bool broken() const { return broken_; }

private:
    int socket_;
    wire::FrameParser frames_;
    UniqueFd fd_;
    bool broken_ = false;
};

// The host's first message: the document a worker started ahead of it is to
// load, sent once, before any job.
wire::WireWriter LoadMessage(const std::string &path);
// The path; throws "Malformed message from PEER" when the frame is not
// a load message.
std::string ReadLoad(const wire::Frame &frame, const std::string &peer);

// The worker's first message: the document's layout once it has loaded it,
// or why it could not.
struct WorkerLayout {
    int32_t parts = 0;
    std::vector<TwipRect> pages; // text documents only
};
wire::WireWriter LayoutMessage(const EngineDocument &document);
wire::WireWriter FailureMessage(const std::string &why);
// Throws folivex::Error with the worker's text when it reports a failure, or
// "Malformed message from PEER" when the frame is not a layout.
WorkerLayout ReadLayout(const wire::Frame &frame, const std::string &peer);

// A rendering asked of the worker: a whole picture into the shared buffer,
// which is `bufferBytes` long (its descriptor travels with the first job
// that uses it). The worker answers with a DoneMessage or a FailureMessage.
struct WorkerJob {
    int32_t part = 0;
    TwipRect area;
    int32_t width = 0, height = 0;
    uint32_t bufferBytes = 0;
};
wire::WireWriter JobMessage(const WorkerJob &job);
WorkerJob ReadJob(const wire::Frame &frame, const std::string &peer);
wire::WireWriter DoneMessage();
// Throws like ReadLayout unless the frame is a DoneMessage.
void ReadDone(const wire::Frame &frame, const std::string &peer);

} // namespace folivex::office
