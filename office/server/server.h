// Server: the request loop of folivex-office. It reads the client's requests
// from the socket on descriptor 3 and answers them in order (the protocol of
// platform/protocol.h), keeping the table of objects the client holds.
// Reading no further than the frame at hand, it can tell from the socket
// whether the client already asks for more, and otherwise renders ahead.
// It returns when the client closes the socket, when its parent is gone, or
// after a Quit; the caller then ends the process with _exit.
#pragma once

#include "core/mappedregion.h"
#include "core/uniquefd.h"
#include "office/server/renderahead.h"
#include "office/server/hostcontext.h"
#include "office/server/hostobject.h"
#include "office/server/objecttable.h"
#include "platform/frameparser.h"
#include "platform/messages.h"

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace folivex::office {

class Server {
public:
    explicit Server(int socket);
    // The greeting: the application object, or why the host cannot serve.
    void greet(const std::shared_ptr<HostObject> &application, HostContext *context);
    void refuse(const std::string &why);
    void run();

private:
    // The next request, read off the socket no further than its last byte:
    // what follows stays in the socket, where run() looks for it. Nothing
    // when the client is gone or out of step.
    std::optional<wire::Frame> readFrame();
    void reply(uint32_t seq, const wire::WireWriter &body);
    void handle(const wire::Frame &frame);
    // Each request's answer: its reply, or nothing for a request that has
    // none. Throw folivex::Error (or LibreOffice's exceptions) for a failed
    // request, which handle() answers with a FailReply.
    std::optional<wire::WireWriter> answer(const wire::ResolveRequest &request);
    std::optional<wire::WireWriter> answer(const wire::InvokeRequest &request);
    std::optional<wire::WireWriter> answer(const wire::RenderRequest &request);
    std::optional<wire::WireWriter> answer(const wire::ReleaseRequest &request);
    std::optional<wire::WireWriter> answer(const wire::ReleasePictureRequest &request);
    // A value for the client (an object is entered in the table) and one
    // from it (throws "Malformed message from the client" for an object).
    wire::Value toWire(const HostValue &value);
    HostValue fromWire(wire::Value value);
    // Renders what `request` asks for and returns the buffer slot (0 or 1)
    // that holds it.
    int render(const wire::RenderRequest &request);

    int socket_;
    pid_t parent_;
    wire::FrameParser requests_;
    HostContext *context_ = nullptr;
    ObjectTable objects_;
    UniqueFd pendingFd_;
    UniqueFd bufferFd_;
    // The client's picture buffer, mapped from bufferFd_.
    MappedRegion buffer_;
    // The picture the last request rendered, whose successor is prepared
    // while the client has no request pending.
    std::optional<PagePicture> rendered_;
    int renderedWidth_ = 0;
    int renderedHeight_ = 0;
    int renderedSlot_ = 0;
    RenderAhead ahead_;
};

} // namespace folivex::office
