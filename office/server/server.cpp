#include "office/server/server.h"

#include "core/error.h"
#include "platform/fdsocket.h"
#include "platform/protocol.h"
#include "platform/valuecodec.h"
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

using wire::Op;
using wire::Status;
using wire::WireReader;
using wire::WireWriter;

Server::Server(int socket)
    : socket_(socket), parent_(::getppid()), requests_(wire::MinRequestLength, "the client")
{
}

void Server::reply(uint32_t seq, const WireWriter &body)
{
    if (!wire::SendFrame(socket_, body.frame(seq), -1))
        ::_exit(0); // the client is gone: nothing is left to serve
}

void Server::refuse(const std::string &why)
{
    WireWriter w;
    w.u8(uint8_t(Status::Fail)).str(why);
    reply(0, w);
}

void Server::greet(const std::shared_ptr<HostObject> &application, HostContext *context)
{
    context_ = context;
    WireWriter w;
    w.u8(uint8_t(Status::Ok)).i32(int32_t(::getpid()));
    encode(w, application);
    reply(0, w);
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

void Server::encode(WireWriter &out, const HostValue &value)
{
    wire::Value plain;
    switch (value.index()) {
    case 0: break;
    case 1: plain = wire::Null{}; break;
    case 2: plain = std::get<bool>(value); break;
    case 3: plain = std::get<int32_t>(value); break;
    case 4: plain = std::get<double>(value); break;
    case 5: plain = std::get<std::string>(value); break;
    case 6: {
        const auto &object = std::get<std::shared_ptr<HostObject>>(value);
        if (object)
            plain = objects_.add(object);
        else
            plain = wire::Null{};
        break;
    }
    }
    wire::writeValue(out, plain);
}

HostValue Server::decode(WireReader &in)
{
    wire::Value value = wire::readValue(in);
    switch (value.index()) {
    case 0: return {};
    case 1: return HostNull{};
    case 2: return std::get<bool>(value);
    case 3: return std::get<int32_t>(value);
    case 4: return std::get<double>(value);
    case 5: return std::move(std::get<std::string>(value));
    default: throw Error("Malformed message from the client"); // the client sends no objects
    }
}

void Server::render(WireReader &in)
{
    uint32_t picture = in.u32();
    int32_t width = in.i32();
    int32_t rows = in.i32();
    uint32_t size = in.u32();
    bool fresh = in.u8() != 0;
    int32_t top = in.i32();
    int32_t height = in.i32();
    if (fresh) {
        if (!pendingFd_)
            throw Error("The picture buffer did not arrive");
        buffer_.reset();
        buffer_ = MappedRegion(pendingFd_.get(), size, "the picture buffer");
        bufferFd_ = std::move(pendingFd_);
    }
    if (width <= 0 || rows <= 0 || !buffer_ || size_t(width) * size_t(rows) * 4 > buffer_.size())
        throw Error("The picture buffer does not fit " + std::to_string(width) + " x " + std::to_string(rows));
    const PagePicture &p = context_->picture(picture);
    if (top != 0 || rows != height) {
        if (top < 0 || height <= 0 || top + rows > height)
            throw Error("Rows " + std::to_string(top) + " to " + std::to_string(top + rows) + " are not in a picture " +
                        std::to_string(height) + " rows high");
        p.document->renderRows(buffer_.data(), width, height, p.part, p.area, top, rows);
        rendered_.reset();
        return;
    }
    if (!ahead_.take(p, width, height, buffer_.data(), context_->worker(*p.document)))
        p.document->render(buffer_.data(), width, height, p.part, p.area);
    rendered_ = p;
    renderedWidth_ = width;
    renderedHeight_ = height;
}

void Server::handle(const wire::Frame &frame)
{
    WireReader in(frame.body.data(), frame.body.size(), "the client");
    const uint32_t seq = frame.seq;
    Op op = Op(in.u8());
    WireWriter out;
    try {
        switch (op) {
        case Op::Resolve: {
            auto target = objects_.find(in.u32());
            int32_t id = target->resolve(in.str());
            out.u8(uint8_t(Status::Ok)).i32(id).u8(target->isSlow(id) ? 1 : 0);
            break;
        }
        case Op::Invoke: {
            auto target = objects_.find(in.u32());
            int32_t id = in.i32();
            unsigned flags = in.u32();
            uint32_t argc = in.u32();
            HostArgs args;
            for (uint32_t i = 0; i < argc; ++i)
                args.push_back(decode(in));
            context_->takeClipboard();
            HostValue result = target->invoke(id, flags, args);
            auto clipboard = context_->takeClipboard();
            out.u8(uint8_t(Status::Ok));
            encode(out, result);
            out.u8(context_->ending() ? 1 : 0).u32(uint32_t(clipboard.size()));
            for (auto [format, picture] : clipboard)
                out.u32(format).u32(picture);
            break;
        }
        case Op::Render:
            render(in);
            out.u8(uint8_t(Status::Ok));
            break;
        case Op::Release:
            objects_.release(in.u32());
            return;
        case Op::ReleasePicture:
            context_->releasePicture(in.u32());
            return;
        default:
            throw Error("Unknown request " + std::to_string(int(op)));
        }
    } catch (const Error &e) {
        out = WireWriter();
        out.u8(uint8_t(Status::Fail)).str(e.text());
    } catch (const EngineFailure &e) {
        // LibreOffice's own exception, with its own message.
        out = WireWriter();
        out.u8(uint8_t(Status::Fail)).str(std::string("LibreOffice failed: ") + e.what());
    } catch (const std::exception &e) {
        out = WireWriter();
        out.u8(uint8_t(Status::Fail)).str(std::string("LibreOffice failed: ") + e.what());
    }
    reply(seq, out);
}

} // namespace folivex::office
