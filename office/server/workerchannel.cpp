#include "office/server/workerchannel.h"

#include "core/error.h"
#include "platform/fdsocket.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

namespace folivex::office {

WorkerChannel::WorkerChannel(int socket, std::string peer) : socket_(socket), frames_(4, std::move(peer)) {}

bool WorkerChannel::send(const wire::WireWriter &body, int fd)
{
    if (broken_)
        return false;
    if (!wire::SendFrame(socket_, body.frame(0), fd))
        broken_ = true;
    return !broken_;
}

std::optional<wire::Frame> WorkerChannel::receive(int timeoutMs)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    uint8_t chunk[65536];
    while (!broken_) {
        try {
            if (std::optional<wire::Frame> frame = frames_.take())
                return frame;
        } catch (const Error &) {
            broken_ = true;
            break;
        }
        ssize_t k = wire::ReceiveWithFd(socket_, chunk, sizeof chunk, fd_);
        if (k < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            int wait = -1;
            if (timeoutMs >= 0) {
                auto left =
                    std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
                if (left.count() <= 0)
                    return std::nullopt;
                wait = int(left.count());
            }
            pollfd p{socket_, POLLIN, 0};
            if (::poll(&p, 1, wait) < 0 && errno != EINTR)
                broken_ = true;
            continue;
        }
        if (k < 0 && errno == EINTR)
            continue;
        if (k <= 0) {
            broken_ = true;
            break;
        }
        frames_.feed(chunk, size_t(k));
    }
    return std::nullopt;
}

namespace {

constexpr uint8_t Failed = 0;
constexpr uint8_t Succeeded = 1;

void writeRect(wire::WireWriter &out, const TwipRect &r)
{
    out.i32(int32_t(r.x)).i32(int32_t(r.y)).i32(int32_t(r.width)).i32(int32_t(r.height));
}

TwipRect readRect(wire::WireReader &in)
{
    TwipRect r;
    r.x = in.i32();
    r.y = in.i32();
    r.width = in.i32();
    r.height = in.i32();
    return r;
}

// Reads the status byte; throws the peer's own text when it failed.
void readStatus(wire::WireReader &in)
{
    if (in.u8() != Succeeded)
        throw Error(in.str());
}

} // namespace

wire::WireWriter LoadMessage(const std::string &path)
{
    wire::WireWriter out;
    out.str(path);
    return out;
}

std::string ReadLoad(const wire::Frame &frame, const std::string &peer)
{
    wire::WireReader in(frame.body.data(), frame.body.size(), peer);
    std::string path = in.str();
    if (path.empty())
        throw Error("Malformed message from " + peer);
    return path;
}

wire::WireWriter LayoutMessage(const EngineDocument &document)
{
    wire::WireWriter out;
    out.u8(Succeeded).i32(document.partCount());
    if (document.kind() == DocumentKind::Word) {
        const std::vector<TwipRect> &pages = document.pageRectangles();
        out.u32(uint32_t(pages.size()));
        for (const TwipRect &page : pages)
            writeRect(out, page);
    } else {
        out.u32(0);
    }
    return out;
}

wire::WireWriter FailureMessage(const std::string &why)
{
    wire::WireWriter out;
    out.u8(Failed).str(why);
    return out;
}

WorkerLayout ReadLayout(const wire::Frame &frame, const std::string &peer)
{
    wire::WireReader in(frame.body.data(), frame.body.size(), peer);
    readStatus(in);
    WorkerLayout layout;
    layout.parts = in.i32();
    const uint32_t count = in.u32();
    if (count > frame.body.size() / 16)
        throw Error("Malformed message from " + peer);
    for (uint32_t i = 0; i < count; ++i)
        layout.pages.push_back(readRect(in));
    return layout;
}

wire::WireWriter JobMessage(const WorkerJob &job)
{
    wire::WireWriter out;
    out.i32(job.part);
    writeRect(out, job.area);
    out.i32(job.width).i32(job.height).u32(job.bufferBytes);
    return out;
}

WorkerJob ReadJob(const wire::Frame &frame, const std::string &peer)
{
    wire::WireReader in(frame.body.data(), frame.body.size(), peer);
    WorkerJob job;
    job.part = in.i32();
    job.area = readRect(in);
    job.width = in.i32();
    job.height = in.i32();
    job.bufferBytes = in.u32();
    return job;
}

wire::WireWriter DoneMessage()
{
    wire::WireWriter out;
    out.u8(Succeeded);
    return out;
}

void ReadDone(const wire::Frame &frame, const std::string &peer)
{
    wire::WireReader in(frame.body.data(), frame.body.size(), peer);
    readStatus(in);
}

} // namespace folivex::office
