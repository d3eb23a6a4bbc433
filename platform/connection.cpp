#include "platform/connection.h"

#include "core/asciitext.h"
#include "core/error.h"
#include "platform/clipboard.h"
#include "platform/fdsocket.h"
#include "platform/protocol.h"
#include "platform/remotedispatch.h"
#include "platform/remotepicture.h"
#include "platform/messages.h"
#include "platform/premultipliedcompose.h"
#include "platform/waitpolicy.h"

#include <poll.h>
#include <sched.h>
#include <sys/mman.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace folivex::automation {

using namespace std::chrono;
using wire::WireWriter;

namespace {

// How long a call reads its answer before it sleeps in poll.
constexpr auto kAnswerSpin = microseconds(60);

// Runs the pump and moves `until` on by the time it took: what the user
// spends in a modal loop opened from the pump (a dialog held open) is not
// the host's time.
void pumpOffTheClock(steady_clock::time_point &until)
{
    const auto began = steady_clock::now();
    PumpWhileWaiting();
    until += steady_clock::now() - began;
}

std::string seconds(milliseconds ms)
{
    double s = ms.count() / 1000.0;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", s);
    return buf;
}

} // namespace

Connection::Connection(const std::string &application, std::vector<std::string> args)
    : application_(application), process_(HostProgramPath(), args), inbox_(wire::MinReplyLength, application)
{
    process_.limitMemory(HostMemoryLimit());
}

Connection::~Connection()
{
    buffer_.reset();
    // The host leaves when its socket closes; a host that does not is killed.
    process_.end(milliseconds(2000));
}

namespace {

// Every connection of the process, for endAll.
std::vector<std::weak_ptr<Connection>> &liveConnections()
{
    static std::vector<std::weak_ptr<Connection>> all;
    return all;
}

} // namespace

void Connection::endAll(const std::string &why)
{
    auto &all = liveConnections();
    // die() may run the pump, which may start or end connections: work on a copy.
    const std::vector<std::weak_ptr<Connection>> now = all;
    for (const auto &weak : now)
        if (auto c = weak.lock())
            c->die(why);
    all.erase(std::remove_if(all.begin(), all.end(), [](const auto &w) { return w.expired(); }), all.end());
}

void Connection::endHost(int pid, const std::string &why)
{
    const std::vector<std::weak_ptr<Connection>> now = liveConnections();
    for (const auto &weak : now)
        if (auto c = weak.lock(); c && c->alive_ && c->pid() == pid)
            c->die(why);
}

Variant Connection::start(const std::string &application)
{
    return spawn(application)->greet();
}

std::shared_ptr<Connection> Connection::spawn(const std::string &application)
{
    std::vector<std::string> arguments{"--application", application};
    if (!HostTextHinting())
        arguments.push_back("--unhinted-text");
    std::shared_ptr<Connection> c(new Connection(application, arguments));
    auto &all = liveConnections();
    all.erase(std::remove_if(all.begin(), all.end(), [](const auto &w) { return w.expired(); }), all.end());
    all.push_back(c);
    return c;
}

Variant Connection::greet()
{
    std::shared_ptr<Connection> self = shared_from_this();
    // The greeting carries sequence number 0.
    const std::vector<uint8_t> body = awaitReply(0, CallTimeLimit(false), true);
    auto greeting = wire::ReadReply<wire::Greeting>(body, application_);
    if (const auto *refusal = std::get_if<wire::FailReply>(&greeting)) {
        die(refusal->text);
        throw Error(refusal->text);
    }
    // The host's pid is the same as ours to know.
    return fromWire(std::move(std::get<wire::Greeting>(greeting).application));
}

void Connection::checkAlive() const
{
    if (!alive_)
        throw Error(deadText_);
}

void Connection::die(const std::string &why)
{
    if (!alive_)
        return;
    alive_ = false;
    deadText_ = why;
    process_.kill();
    replies_.clear();
    inbox_.clear();
}

void Connection::hostQuit()
{
    alive_ = false;
    deadText_ = application_ + " has quit";
    process_.end(milliseconds(5000));
}

void Connection::send(uint32_t seq, const WireWriter &body, int withFd)
{
    if (wire::SendFrame(process_.socket(), body.frame(seq), withFd))
        return;
    std::string err = std::strerror(errno);
    process_.poll();
    std::string how = process_.exitDescription();
    die(application_ + " ended unexpectedly (" + (how.empty() ? err : how) + ")");
    checkAlive();
}

bool Connection::readAvailable()
{
    uint8_t chunk[65536];
    ssize_t n = ::recv(process_.socket(), chunk, sizeof chunk, MSG_DONTWAIT);
    if (n == 0)
        return false;
    if (n < 0)
        return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    inbox_.feed(chunk, size_t(n));
    try {
        while (std::optional<wire::Frame> frame = inbox_.take())
            replies_[frame->seq] = std::move(frame->body);
    } catch (const Error &e) {
        // Out of step: nothing more it sends can be read.
        die(e.text() + "; it was ended");
    }
    return true;
}

std::vector<uint8_t> Connection::awaitReply(uint32_t seq, milliseconds limit, bool starting)
{
    auto until = steady_clock::now() + limit;
    bool first = true;
    // Most answers come within microseconds; waiting for them in poll costs a
    // wake-up of this process on another core, tens of microseconds each, and
    // a page takes dozens of calls. So the socket is read for a moment first.
    const auto spinUntil = steady_clock::now() + kAnswerSpin;
    while (replies_.find(seq) == replies_.end() && alive_ && steady_clock::now() < spinUntil) {
        if (!readAvailable())
            break;
        if (replies_.find(seq) == replies_.end())
            sched_yield();
    }
    for (;;) {
        auto it = replies_.find(seq);
        if (it != replies_.end()) {
            std::vector<uint8_t> reply = std::move(it->second);
            replies_.erase(it);
            return reply;
        }
        checkAlive();
        auto left = duration_cast<milliseconds>(until - steady_clock::now());
        // An answer that has arrived is read before the time is up.
        if (left.count() <= 0 && readAvailable() && replies_.count(seq))
            continue;
        if (left.count() <= 0) {
            die(application_ + (starting ? " did not start within " : " did not answer within ") + seconds(limit) +
                " s; it was ended");
            checkAlive();
        }
        // A quick call is answered within the first slice without pumping.
        pollfd p{process_.socket(), POLLIN, 0};
        int r = ::poll(&p, 1, int(std::min<long>(left.count(), first ? 5 : 10)));
        first = false;
        if (r > 0) {
            if (!readAvailable()) {
                process_.end(milliseconds(starting ? 1000 : 200));
                std::string how = process_.exitDescription();
                if (starting)
                    die("The Office host for " + application_ + " could not start (" + how + ")");
                else
                    die(application_ + " ended unexpectedly" + (how.empty() ? "" : " (" + how + ")"));
            }
            continue;
        }
        pumpOffTheClock(until);
    }
}

template <typename Reply> Reply Connection::call(const WireWriter &request, bool slow, int withFd)
{
    checkAlive();
    // Keep this connection alive even if the pump drops the last proxy.
    std::shared_ptr<Connection> self = shared_from_this();
    const uint32_t seq = ++nextSeq_;
    send(seq, request, withFd);
    const std::vector<uint8_t> body = awaitReply(seq, CallTimeLimit(slow), false);
    auto reply = wire::ReadReply<Reply>(body, application_);
    if (const auto *failure = std::get_if<wire::FailReply>(&reply))
        throw Error(failure->text);
    return std::move(std::get<Reply>(reply));
}

void Connection::post(const WireWriter &request) noexcept
{
    if (!alive_)
        return;
    try {
        send(++nextSeq_, request, -1);
    } catch (...) {
        // May swallow: this runs where nothing may throw (releases from
        // destructors), and a failed send means the host is gone, with
        // nothing left to free.
    }
}

wire::Value Connection::toWire(const Variant &v) const
{
    switch (v.type()) {
    case Variant::Type::Empty: return {};
    case Variant::Type::Null: return wire::Null{};
    case Variant::Type::Bool: return v.toBool();
    case Variant::Type::Int32: return v.toInt32();
    case Variant::Type::Double: return v.toDouble();
    case Variant::Type::String: return v.toString();
    case Variant::Type::Object: break;
    }
    throw Error("An object cannot be passed to " + application_);
}

Variant Connection::fromWire(wire::Value value)
{
    struct ToVariant {
        Connection &connection;
        Variant operator()(std::monostate) const { return Variant(); }
        Variant operator()(wire::Null) const { return Variant::null(); }
        Variant operator()(bool v) const { return Variant(v); }
        Variant operator()(int32_t v) const { return Variant(v); }
        Variant operator()(double v) const { return Variant(v); }
        Variant operator()(std::string &v) const { return Variant(std::move(v)); }
        Variant operator()(const wire::ObjectRef &object) const
        {
            return Variant(DispatchRef(
                std::make_shared<RemoteDispatch>(connection.shared_from_this(), object.id, object.classId)));
        }
    };
    return std::visit(ToVariant{*this}, value);
}

int32_t Connection::resolve(uint32_t object, uint32_t classId, std::string_view name)
{
    auto key = std::make_pair(classId, AsciiLower(name));
    // Quitting a host that has already ended asks for nothing: it is done.
    if (!alive_ && QuitMembers::isQuit(key.second))
        return QuitMembers::OfEndedHost;
    if (auto it = members_.find(key); it != members_.end()) {
        checkAlive();
        return it->second.dispid;
    }
    const auto reply = call<wire::ResolveReply>(wire::ResolveRequest{object, std::string(name)}.message(), false);
    Member m{reply.dispid, reply.slow};
    members_[key] = m;
    quitMembers_.resolved(classId, key.second, m.dispid);
    slowById_[{classId, m.dispid}] = m.slow;
    return m.dispid;
}

Variant Connection::invoke(uint32_t object, uint32_t classId, int32_t dispid, unsigned flags,
                           const std::vector<Variant> &args)
{
    if (!alive_ && quitMembers_.isQuit(classId, dispid))
        return Variant();
    wire::InvokeRequest request{object, dispid, flags, {}};
    for (const Variant &a : args)
        request.args.push_back(toWire(a));
    auto known = slowById_.find({classId, dispid});
    bool slow = known != slowById_.end() && known->second;
    wire::InvokeReply reply = call<wire::InvokeReply>(request.message(), slow);
    Variant result = fromWire(std::move(reply.result));
    std::vector<clipboard::Clipboard::Entry> entries;
    for (const wire::ClipboardEntry &entry : reply.clipboard) {
        std::shared_ptr<const clipboard::Picture> pic;
        if (entry.picture != 0)
            pic = std::make_shared<RemotePicture>(weak_from_this(), entry.picture, application_);
        entries.push_back({entry.format, std::move(pic)});
    }
    if (reply.hostEnds)
        hostQuit();
    if (!entries.empty())
        clipboard::ProcessClipboard().replaceFromHost(std::move(entries));
    return result;
}

void Connection::render(uint32_t picture, QImage &target, const QRect &rect)
{
    // Only the rows that land in the target are rendered: a picture far
    // taller than its target is drawn one band of rows at a time, and
    // costs memory for that band only.
    const QRect clip = rect.intersected(target.rect());
    if (clip.isEmpty())
        return;
    const int top = clip.top() - rect.top();
    const int rows = clip.height();
    size_t need = size_t(rect.width()) * size_t(rows) * 4;
    if (need > (size_t(1) << 30))
        throw Error("The picture is too large to draw (" + std::to_string(rect.width()) + " x " + std::to_string(rows) +
                    " pixels)");
    checkAlive();
    bool fresh = false;
    // Two slots of `need` bytes: the host prepares the next picture in the
    // one this side is not reading.
    if (2 * need > buffer_.size()) {
        // The old buffer goes first: two big ones are never held at once.
        buffer_.reset();
        UniqueFd fd(::memfd_create("folivex-picture", MFD_CLOEXEC));
        if (!fd)
            throw Error(std::string("Cannot create the picture buffer: ") + std::strerror(errno));
        if (::ftruncate(fd.get(), off_t(2 * need)) != 0)
            throw Error(std::string("Cannot size the picture buffer: ") + std::strerror(errno));
        buffer_ = MappedRegion(fd.get(), 2 * need, "the picture buffer");
        bufferFd_ = std::move(fd);
        fresh = true;
    }
    const wire::RenderRequest request{picture, rect.width(), rows, uint32_t(buffer_.size()), fresh, top, rect.height()};
    const auto reply = call<wire::RenderReply>(request.message(), false, fresh ? bufferFd_.get() : -1);
    if (reply.offset > buffer_.size() - need) {
        // Reading there would read past the buffer: the host is not to be trusted.
        die("Malformed message from " + application_ + "; it was ended");
        checkAlive();
    }

    // Compose the premultiplied BGRA rendering over the target.
    const uint8_t *src = buffer_.data() + reply.offset;
    for (int y = clip.top(); y <= clip.bottom(); ++y)
        ComposePremultipliedRow(
            src + (size_t(y - clip.top()) * size_t(rect.width()) + size_t(clip.left() - rect.left())) * 4,
            target.scanLine(y) + size_t(clip.left()) * 3, clip.width());
}

void Connection::releaseObject(uint32_t object) noexcept
{
    post(wire::ReleaseRequest{object}.message());
}

void Connection::releasePicture(uint32_t picture) noexcept
{
    post(wire::ReleasePictureRequest{picture}.message());
}

} // namespace folivex::automation
