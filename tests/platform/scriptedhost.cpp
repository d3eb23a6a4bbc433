// folivex-scriptedhost: a stand-in for folivex-office that sends the client
// a greeting no real host sends (the real one cannot be made to break the
// protocol). $FOLIVEX_SCRIPTED_HOST names the greeting:
//   refusal          a well-formed Fail greeting, "LibreOffice is not installed"
//   unknown-tag      an Ok greeting whose application value has tag 99
//   string-too-long  a Fail greeting whose text's length runs past the message
//   oversized        a frame whose length is above MaxMessage
//   truncated        a frame cut short, after which the host exits with status 3
//   cut-reply        a whole Ok greeting (an application object), then an Ok
//                    reply to the first request with nothing after its status
//   stray-picture    a whole Ok greeting, a picture put on the clipboard by
//                    the first call, then a render reply that puts the
//                    picture far past the end of the client's buffer
// After a whole greeting it reads its socket until the client closes it.
#include "platform/clipboardformat.h"
#include "platform/messages.h"
#include "platform/protocol.h"
#include "platform/wire.h"

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace folivex::wire;

namespace {

void put32(std::vector<std::uint8_t> &bytes, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(std::uint8_t(v >> (8 * i)));
}

void receive(std::uint8_t *into, std::size_t size)
{
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(HostSocketFd, into + got, size - got);
        if (n <= 0)
            std::_Exit(2);
        got += std::size_t(n);
    }
}

void send(const std::vector<std::uint8_t> &bytes)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::write(HostSocketFd, bytes.data() + sent, bytes.size() - sent);
        if (n <= 0)
            std::_Exit(2);
        sent += std::size_t(n);
    }
}

// Reads one request whole and returns its sequence number.
std::uint32_t receiveRequest()
{
    std::uint8_t head[8];
    receive(head, sizeof head);
    const std::uint32_t length = head[0] | head[1] << 8 | head[2] << 16 | std::uint32_t(head[3]) << 24;
    const std::uint32_t seq = head[4] | head[5] << 8 | head[6] << 16 | std::uint32_t(head[7]) << 24;
    if (length < 4 || length > MaxMessage)
        std::_Exit(5);
    std::vector<std::uint8_t> rest(length - 4);
    receive(rest.data(), rest.size());
    return seq;
}

void sendGreeting()
{
    WireWriter greeting;
    greeting.u8(std::uint8_t(Status::Ok)).i32(::getpid()).u8(std::uint8_t(Tag::Object)).u32(1).u32(1);
    send(greeting.frame(0));
}

} // namespace

int main()
{
    const char *scenario = std::getenv("FOLIVEX_SCRIPTED_HOST");
    const std::string name = scenario ? scenario : "";
    std::vector<std::uint8_t> frame;
    if (name == "refusal") {
        WireWriter body;
        body.u8(std::uint8_t(Status::Fail)).str("LibreOffice is not installed");
        frame = body.frame(0);
    } else if (name == "unknown-tag") {
        WireWriter body;
        body.u8(std::uint8_t(Status::Ok)).i32(::getpid()).u8(99);
        frame = body.frame(0);
    } else if (name == "string-too-long") {
        WireWriter body;
        body.u8(std::uint8_t(Status::Fail)).u32(100).u8('s').u8('h').u8('o').u8('r').u8('t');
        frame = body.frame(0);
    } else if (name == "oversized") {
        put32(frame, MaxMessage + 1);
        put32(frame, 0);
        frame.push_back(std::uint8_t(Status::Ok));
    } else if (name == "truncated") {
        put32(frame, 20);
        put32(frame, 0);
        frame.push_back(std::uint8_t(Status::Ok));
        send(frame);
        return 3;
    } else if (name == "cut-reply") {
        sendGreeting();
        WireWriter cut;
        cut.u8(std::uint8_t(Status::Ok));
        frame = cut.frame(receiveRequest());
    } else if (name == "stray-picture") {
        sendGreeting();
        send(ResolveReply{1, false}.message().frame(receiveRequest()));
        InvokeReply copied;
        copied.clipboard.push_back({folivex::clipboard::EnhancedMetafile, 7});
        send(copied.message().frame(receiveRequest()));
        frame = RenderReply{0x40000000}.message().frame(receiveRequest());
    } else {
        return 4;
    }
    send(frame);
    char ignored[256];
    while (::read(HostSocketFd, ignored, sizeof ignored) > 0) {
    }
    return 0;
}
