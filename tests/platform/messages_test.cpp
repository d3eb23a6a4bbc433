// The messages between the client and an Office host, as both ends write
// and read them: each comes back from its frame as it was sent, and each
// cut short anywhere fails with its sender's name, never reading past it.
#include "core/error.h"
#include "platform/frameparser.h"
#include "platform/messages.h"

#include "tests/support/errortext.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

using namespace folivex::wire;

using folivex::test::ErrorText;

namespace {

// The frame of `body` as the other end's parser cuts it from the socket.
Frame throughSocket(const WireWriter &body, uint32_t seq, uint32_t minimum)
{
    const std::vector<uint8_t> bytes = body.frame(seq);
    FrameParser parser(minimum, "the socket");
    parser.feed(bytes.data(), bytes.size());
    std::optional<Frame> frame = parser.take();
    EXPECT_TRUE(frame);
    EXPECT_FALSE(parser.take()) << "one message, one frame";
    return frame ? *frame : Frame{};
}

// One request of each kind, its fields away from their defaults; the Invoke
// carries a value of every kind.
std::vector<Request> everyRequest()
{
    using namespace std::string_literals;
    return {
        ResolveRequest{7, "ActiveDocument"},
        ResolveRequest{0xFFFFFFFFu, ""},
        InvokeRequest{
            3, -5, Method | PropertyGet, {Value{}, Null{}, true, int32_t(-1), 0.5, "Grüße\0!"s, ObjectRef{9, 2}}},
        InvokeRequest{1, 12, PropertyPut, {}},
        RenderRequest{4, 1240, 300, 1240u * 300 * 4, true, 1500, 1754},
        RenderRequest{5, 1, 1, 4, false, 0, 1},
        ReleaseRequest{11},
        ReleasePictureRequest{13},
    };
}

// Every body shorter than `whole`'s, cut at each byte.
std::vector<Frame> everyCut(const Frame &whole)
{
    std::vector<Frame> cuts;
    for (size_t keep = 0; keep < whole.body.size(); ++keep)
        cuts.push_back(Frame{whole.seq, {whole.body.begin(), whole.body.begin() + long(keep)}});
    return cuts;
}

template <typename Reply> void expectReplyComesBack(const Reply &sent)
{
    const Frame frame = throughSocket(sent.message(), 42, MinReplyLength);
    EXPECT_EQ(frame.seq, 42u);
    const auto read = ReadReply<Reply>(frame.body, "Word");
    ASSERT_TRUE(std::holds_alternative<Reply>(read));
    EXPECT_EQ(std::get<Reply>(read), sent);
}

// Every cut of `sent` read as the reply `Awaited` (`sent`'s own kind, or
// any kind for a failure).
template <typename Awaited, typename Sent> void expectEveryCutRefused(const Sent &sent)
{
    const Frame whole = throughSocket(sent.message(), 1, MinReplyLength);
    for (const Frame &cut : everyCut(whole))
        EXPECT_EQ(ErrorText([&] { ReadReply<Awaited>(cut.body, "Word"); }), "Malformed message from Word")
            << "cut to " << cut.body.size() << " of " << whole.body.size() << " bytes";
}

} // namespace

TEST(Messages, EveryRequestComesBackFromItsFrameAsItWasSent)
{
    uint32_t seq = 1;
    for (const Request &sent : everyRequest()) {
        const WireWriter body = std::visit([](const auto &r) { return r.message(); }, sent);
        const Frame frame = throughSocket(body, seq, MinRequestLength);
        EXPECT_EQ(frame.seq, seq);
        EXPECT_EQ(ReadRequest(frame, "the client"), sent) << "request " << seq;
        ++seq;
    }
}

TEST(Messages, EveryReplyAndTheGreetingComeBackFromTheirFrameAsSent)
{
    expectReplyComesBack(Greeting{4242, ObjectRef{1, 1}});
    expectReplyComesBack(Greeting{-1, Value{}});
    expectReplyComesBack(ResolveReply{-7, true});
    expectReplyComesBack(ResolveReply{std::numeric_limits<int32_t>::max(), false});
    expectReplyComesBack(InvokeReply{std::string("Letter.docx"), false, {}});
    expectReplyComesBack(InvokeReply{Value{}, true, {}});
    expectReplyComesBack(InvokeReply{ObjectRef{8, 3}, false, {{14, 1}, {3, 0}, {2, 2}}});
    expectReplyComesBack(RenderReply{1240u * 300 * 4});
}

TEST(Messages, AFailureIsTheSendersOwnTextWhateverReplyWasAwaited)
{
    const Frame frame = throughSocket(FailReply{"Cannot open the document: it is locked"}.message(), 3, MinReplyLength);
    const FailReply expected{"Cannot open the document: it is locked"};
    EXPECT_EQ(std::get<FailReply>(ReadReply<Greeting>(frame.body, "Word")), expected);
    EXPECT_EQ(std::get<FailReply>(ReadReply<ResolveReply>(frame.body, "Word")), expected);
    EXPECT_EQ(std::get<FailReply>(ReadReply<InvokeReply>(frame.body, "Word")), expected);
    EXPECT_EQ(std::get<FailReply>(ReadReply<RenderReply>(frame.body, "Word")), expected);
}

// A peer that sends less than a whole message is named as the frame parser
// names it, without an article before an application's name.
TEST(Messages, EveryRequestCutShortIsAMalformedMessageFromTheClient)
{
    for (const Request &sent : everyRequest()) {
        const WireWriter body = std::visit([](const auto &r) { return r.message(); }, sent);
        const Frame whole = throughSocket(body, 1, MinRequestLength);
        for (const Frame &cut : everyCut(whole))
            EXPECT_EQ(ErrorText([&] { ReadRequest(cut, "the client"); }), "Malformed message from the client")
                << "request kind " << sent.index() << " cut to " << cut.body.size() << " bytes";
    }
}

TEST(Messages, EveryReplyCutShortIsAMalformedMessageFromTheApplication)
{
    expectEveryCutRefused<Greeting>(Greeting{4242, ObjectRef{1, 1}});
    expectEveryCutRefused<ResolveReply>(ResolveReply{-7, true});
    expectEveryCutRefused<InvokeReply>(InvokeReply{std::string("Letter.docx"), true, {{14, 1}, {3, 0}}});
    expectEveryCutRefused<InvokeReply>(FailReply{"why"});
    // A reply without even its status.
    EXPECT_EQ(ErrorText([] { ReadReply<RenderReply>({}, "Excel"); }), "Malformed message from Excel");
}

TEST(Messages, CountsPastTheEndOfTheBodyAreRefusedNotAwaited)
{
    // An Invoke that announces more arguments than it holds, and a reply
    // that announces more clipboard entries: refused at the first missing.
    WireWriter invoke;
    invoke.u8(uint8_t(Op::Invoke)).u32(1).i32(2).u32(Method).u32(0xFFFFFFFFu);
    writeValue(invoke, int32_t(1));
    EXPECT_EQ(ErrorText([&] { ReadRequest(throughSocket(invoke, 1, MinRequestLength), "the client"); }),
              "Malformed message from the client");

    WireWriter reply;
    reply.u8(uint8_t(Status::Ok));
    writeValue(reply, Value{});
    reply.u8(0).u32(0xFFFFFFFFu).u32(14).u32(1);
    EXPECT_EQ(ErrorText([&] { ReadReply<InvokeReply>(throughSocket(reply, 1, MinReplyLength).body, "PowerPoint"); }),
              "Malformed message from PowerPoint");
}

TEST(Messages, AnOpThatIsNoRequestIsRefusedByNumber)
{
    for (uint8_t op : {uint8_t(0), uint8_t(uint8_t(Op::ReleasePicture) + 1), uint8_t(255)}) {
        WireWriter body;
        body.u8(op).u32(1);
        EXPECT_EQ(ErrorText([&] { ReadRequest(throughSocket(body, 1, MinRequestLength), "the client"); }),
                  "Unknown request " + std::to_string(op));
    }
}
