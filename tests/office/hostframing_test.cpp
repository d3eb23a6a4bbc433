// The host's end of the socket, spoken to byte by byte: a real folivex-office
// started as the client starts it, requests written in one piece, in
// pieces, or out of step, and the host's frames read back with the wire's
// own parser.
#include "core/error.h"
#include "platform/frameparser.h"
#include "platform/hostprocess.h"
#include "platform/protocol.h"
#include "platform/valuecodec.h"
#include "platform/wire.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <thread>
#include <vector>

using namespace folivex;
using namespace folivex::wire;

namespace {

// A Word host with nothing but the socket between it and the test.
class RawHost {
public:
    RawHost() : process_(automation::HostProgramPath(), {"--application", "Word"}), replies_(MinReplyLength, "Word") {}

    int pid() const { return process_.pid(); }

    void write(const std::vector<uint8_t> &bytes)
    {
        size_t sent = 0;
        while (sent < bytes.size()) {
            ssize_t n = ::send(process_.socket(), bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            ASSERT_GT(n, 0) << "the host stopped reading";
            sent += size_t(n);
        }
    }

    // The host's next frame; nothing once it has closed its end.
    std::optional<Frame> next()
    {
        for (;;) {
            if (std::optional<Frame> frame = replies_.take())
                return frame;
            // Not a measure of anything: a host that never answers fails the
            // test here instead of hanging it.
            pollfd p{process_.socket(), POLLIN, 0};
            if (::poll(&p, 1, 60000) <= 0)
                return std::nullopt;
            uint8_t chunk[4096];
            ssize_t n = ::recv(process_.socket(), chunk, sizeof chunk, 0);
            if (n <= 0)
                return std::nullopt;
            replies_.feed(chunk, size_t(n));
        }
    }

    // How the host ended, once it has.
    std::string endOfProcess()
    {
        while (!process_.poll())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return process_.exitDescription();
    }

private:
    automation::HostProcess process_;
    FrameParser replies_;
};

std::vector<uint8_t> resolve(uint32_t seq, uint32_t object, const std::string &name)
{
    WireWriter w;
    w.u8(uint8_t(Op::Resolve)).u32(object).str(name);
    return w.frame(seq);
}

std::vector<uint8_t> lengthOnly(uint32_t length)
{
    return {uint8_t(length), uint8_t(length >> 8), uint8_t(length >> 16), uint8_t(length >> 24)};
}

// The reply's status and, for a failure, its text.
std::pair<Status, std::string> outcome(const Frame &reply)
{
    WireReader in(reply.body.data(), reply.body.size(), "the Office host");
    Status status = Status(in.u8());
    return {status, status == Status::Fail ? in.str() : std::string()};
}

// The application object of the greeting.
ObjectRef greet(RawHost &host)
{
    std::optional<Frame> greeting = host.next();
    EXPECT_TRUE(greeting);
    if (!greeting)
        return {};
    EXPECT_EQ(greeting->seq, 0u);
    WireReader in(greeting->body.data(), greeting->body.size(), "the Office host");
    EXPECT_EQ(Status(in.u8()), Status::Ok);
    EXPECT_EQ(in.i32(), host.pid());
    Value application = readValue(in);
    EXPECT_TRUE(std::holds_alternative<ObjectRef>(application));
    return std::holds_alternative<ObjectRef>(application) ? std::get<ObjectRef>(application) : ObjectRef{};
}

} // namespace

TEST(HostFraming, RequestsInOneWriteOrInPiecesAreAnsweredInOrder)
{
    RawHost host;
    const ObjectRef app = greet(host);

    // Three requests in one write: three replies, in their order.
    std::vector<uint8_t> three = resolve(1, app.id, "Documents");
    for (const auto &more : {resolve(2, app.id, "visible"), resolve(3, app.id, "Nothing")})
        three.insert(three.end(), more.begin(), more.end());
    host.write(three);
    std::optional<Frame> first = host.next(), second = host.next(), third = host.next();
    ASSERT_TRUE(first && second && third);
    EXPECT_EQ(first->seq, 1u);
    EXPECT_EQ(second->seq, 2u);
    EXPECT_EQ(third->seq, 3u);
    EXPECT_EQ(outcome(*first).first, Status::Ok);
    EXPECT_EQ(outcome(*second).first, Status::Ok);
    EXPECT_EQ(outcome(*third),
              std::make_pair(Status::Fail, std::string("Unknown name: Application has no member Nothing")));
    WireReader documents(first->body.data() + 1, first->body.size() - 1, "the Office host");
    WireReader visible(second->body.data() + 1, second->body.size() - 1, "the Office host");
    const int32_t visibleId = visible.i32();
    EXPECT_NE(documents.i32(), visibleId);

    // One request in three writes: the host waits for the rest of it.
    const std::vector<uint8_t> split = resolve(4, app.id, "Documents");
    host.write({split.begin(), split.begin() + 2});
    host.write({split.begin() + 2, split.begin() + 7});
    host.write({split.begin() + 7, split.end()});
    std::optional<Frame> whole = host.next();
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->seq, 4u);
    EXPECT_EQ(whole->body, first->body);

    // Values the client never sends are refused, and the host goes on.
    for (const std::vector<uint8_t> &argument : {std::vector<uint8_t>{uint8_t(uint8_t(Tag::Object) + 1)},
                                                 std::vector<uint8_t>{uint8_t(Tag::Object), 1, 0, 0, 0, 1, 0, 0, 0}}) {
        WireWriter put;
        put.u8(uint8_t(Op::Invoke)).u32(app.id).i32(visibleId).u32(PropertyPut).u32(1);
        for (uint8_t b : argument)
            put.u8(b);
        host.write(put.frame(5));
        std::optional<Frame> refused = host.next();
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->seq, 5u);
        EXPECT_EQ(outcome(*refused), std::make_pair(Status::Fail, std::string("Malformed message from the client")));
    }
    WireWriter put;
    put.u8(uint8_t(Op::Invoke)).u32(app.id).i32(visibleId).u32(PropertyPut).u32(1);
    writeValue(put, true);
    host.write(put.frame(6));
    std::optional<Frame> accepted = host.next();
    ASSERT_TRUE(accepted);
    EXPECT_EQ(outcome(*accepted).first, Status::Ok);
}

TEST(HostFraming, ALengthOutOfStepEndsTheHost)
{
    // Below a request's least (a sequence number and an Op), and above the
    // largest message: the host reads nothing more and ends.
    for (uint32_t length : {MinRequestLength - 1, MaxMessage + 1}) {
        RawHost host;
        greet(host);
        host.write(lengthOnly(length));
        EXPECT_FALSE(host.next()) << length;
        EXPECT_EQ(host.endOfProcess(), "exit status 0") << length;
    }
}
