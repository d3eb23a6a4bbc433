#include "office/server/server.h"

#include "core/error.h"
#include "platform/fdsocket.h"
#include "platform/protocol.h"
#include "platform/messages.h"
#include "platform/wire.h"

#include <poll.h>
#include <sched.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace folivex::office {

using wire::WireWriter;

Server::Server(int socket) : socket_(socket), parent_(::getppid()), requests_(wire::MinRequestLength, "the client") {}

void Server::reply(uint32_t seq, const WireWriter &body)
{
    if (!wire::SendFrame(socket_, body.frame(seq), -1))
        ::_exit(0); // the client is gone: nothing is left to serve
}

void Server::refuse(const std::string &why)
{
    reply(0, wire::FailReply{why}.message());
}

void Server::greet(const std::shared_ptr<HostObject> &application, HostContext *context)
{
    context_ = context;
    reply(0, wire::Greeting{int32_t(::getpid()), toWire(application)}.message());
}

std::optional<wire::Frame> Server::readFrame()
{
    // The client's next request mostly follows the last answer within
    // microseconds: the socket is read for a moment before sleeping in poll,
    // which would cost a wake-up on another core for every call.
    const auto spinUntil = std::chrono::steady_clock::now() + std::chrono::microseconds(60);
    uint8_t chunk[65536];
    for (;;) {
        try {
            if (std::optional<wire::Frame> frame = requests_.take())
                return frame;
        } catch (const Error &) {
            return std::nullopt; // out of step: nothing more can be read
        }
        // A new picture buffer's descriptor travels with a Render request.
        ssize_t k = wire::ReceiveWithFd(socket_, chunk, std::min(requests_.missing(), sizeof chunk), pendingFd_);
        if (k < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (std::chrono::steady_clock::now() < spinUntil) {
                sched_yield();
                continue;
            }
            // Wake up now and then to see whether the parent is still there.
            pollfd p{socket_, POLLIN, 0};
            if (::poll(&p, 1, 1000) == 0 && ::getppid() != parent_)
                return std::nullopt;
            continue;
        }
        if (k < 0 && errno == EINTR)
            continue;
        if (k <= 0)
            return std::nullopt;
        requests_.feed(chunk, size_t(k));
    }
}

void Server::run()
{
    while (std::optional<wire::Frame> frame = readFrame()) {
        handle(*frame);
        if (context_ && context_->ending())
            return;
        if (rendered_) {
            // The client is busy with the picture it just got: prepare the
            // next one, unless it already asks for something.
            pollfd pending{socket_, POLLIN, 0};
            if (::poll(&pending, 1, 0) == 0) {
                try {
                    ahead_.prepareAfter(*rendered_, renderedWidth_, renderedHeight_,
                                        CanvasSlots{buffer_.data(), buffer_.size() / 2}, renderedSlot_,
                                        context_->worker(*rendered_->document));
                } catch (...) {
                    // May swallow: only a guess failed; the request, when it
                    // comes, renders afresh and reports its own failure.
                }
            }
            rendered_.reset();
        }
    }
}

wire::Value Server::toWire(const HostValue &value)
{
    struct ToWire {
        ObjectTable &objects;
        wire::Value operator()(std::monostate) const { return {}; }
        wire::Value operator()(HostNull) const { return wire::Null{}; }
        wire::Value operator()(bool v) const { return v; }
        wire::Value operator()(int32_t v) const { return v; }
        wire::Value operator()(double v) const { return v; }
        wire::Value operator()(const std::string &v) const { return v; }
        wire::Value operator()(const std::shared_ptr<HostObject> &object) const
        {
            if (!object)
                return wire::Null{};
            return objects.add(object);
        }
    };
    return std::visit(ToWire{objects_}, value);
}

HostValue Server::fromWire(wire::Value value)
{
    struct ToHost {
        HostValue operator()(std::monostate) const { return {}; }
        HostValue operator()(wire::Null) const { return HostNull{}; }
        HostValue operator()(bool v) const { return v; }
        HostValue operator()(int32_t v) const { return v; }
        HostValue operator()(double v) const { return v; }
        HostValue operator()(std::string &v) const { return std::move(v); }
        // The client holds no objects of its own to pass.
        HostValue operator()(const wire::ObjectRef &) const { throw Error("Malformed message from the client"); }
    };
    return std::visit(ToHost{}, value);
}

int Server::render(const wire::RenderRequest &request)
{
    const uint32_t picture = request.picture;
    const int32_t width = request.width;
    const int32_t rows = request.rows;
    const uint32_t size = request.bufferBytes;
    const bool fresh = request.newBuffer;
    const int32_t top = request.firstRow;
    const int32_t height = request.height;
    if (fresh) {
        if (!pendingFd_)
            throw Error("The picture buffer did not arrive");
        ahead_.forget();
        buffer_.reset();
        buffer_ = MappedRegion(pendingFd_.get(), size, "the picture buffer");
        bufferFd_ = std::move(pendingFd_);
    }
    // The buffer's two slots: the client reads one while the next picture
    // is prepared in the other.
    const CanvasSlots slots{buffer_.data(), buffer_.size() / 2};
    if (width <= 0 || rows <= 0 || !buffer_ || size_t(width) * size_t(rows) * 4 > slots.slotBytes)
        throw Error("The picture buffer does not fit " + std::to_string(width) + " x " + std::to_string(rows));
    const PagePicture &p = context_->picture(picture);
    if (top != 0 || rows != height) {
        if (top < 0 || height <= 0 || top + rows > height)
            throw Error("Rows " + std::to_string(top) + " to " + std::to_string(top + rows) + " are not in a picture " +
                        std::to_string(height) + " rows high");
        const int slot = ahead_.freeSlot();
        p.document->renderRows(slots.slot(slot), width, height, p.part, p.area, top, rows);
        rendered_.reset();
        return slot;
    }
    std::optional<int> slot = ahead_.take(p, width, height, slots, context_->worker(*p.document));
    if (!slot) {
        slot = ahead_.freeSlot();
        p.document->render(slots.slot(*slot), width, height, p.part, p.area);
    }
    rendered_ = p;
    renderedWidth_ = width;
    renderedHeight_ = height;
    renderedSlot_ = *slot;
    return *slot;
}

std::optional<WireWriter> Server::answer(const wire::ResolveRequest &request)
{
    auto target = objects_.find(request.object);
    const int32_t id = target->resolve(request.name);
    return wire::ResolveReply{id, target->isSlow(id)}.message();
}

std::optional<WireWriter> Server::answer(const wire::InvokeRequest &request)
{
    auto target = objects_.find(request.object);
    HostArgs args;
    for (const wire::Value &arg : request.args)
        args.push_back(fromWire(arg));
    // Only what this call puts on the clipboard goes back with it.
    context_->takeClipboard();
    wire::InvokeReply out;
    out.result = toWire(target->invoke(request.dispid, request.flags, args));
    out.hostEnds = context_->ending();
    for (auto [format, picture] : context_->takeClipboard())
        out.clipboard.push_back({format, picture});
    return out.message();
}

std::optional<WireWriter> Server::answer(const wire::RenderRequest &request)
{
    const int slot = render(request);
    return wire::RenderReply{uint32_t(slot) * uint32_t(buffer_.size() / 2)}.message();
}

std::optional<WireWriter> Server::answer(const wire::ReleaseRequest &request)
{
    objects_.release(request.object);
    return std::nullopt;
}

std::optional<WireWriter> Server::answer(const wire::ReleasePictureRequest &request)
{
    context_->releasePicture(request.picture);
    return std::nullopt;
}

void Server::handle(const wire::Frame &frame)
{
    std::optional<WireWriter> out;
    try {
        const wire::Request request = wire::ReadRequest(frame, "the client");
        out = std::visit([this](const auto &r) { return answer(r); }, request);
    } catch (const Error &e) {
        out = wire::FailReply{e.text()}.message();
    } catch (const EngineFailure &e) {
        // LibreOffice's own exception, with its own message.
        out = wire::FailReply{std::string("LibreOffice failed: ") + e.what()}.message();
    } catch (const std::exception &e) {
        out = wire::FailReply{std::string("LibreOffice failed: ") + e.what()}.message();
    }
    if (out)
        reply(frame.seq, *out);
}

} // namespace folivex::office
