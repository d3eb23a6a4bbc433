// FrameParser: the one reading of the socket's frames, used by the client
// and the Office host. Frames are made by WireWriter, as both ends send them.
#include "core/error.h"
#include "platform/frameparser.h"
#include "platform/protocol.h"
#include "platform/wire.h"

#include "tests/support/errortext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace folivex::wire;

using folivex::test::ErrorText;

namespace {

std::vector<uint8_t> frameOf(uint32_t seq, const std::string &text)
{
    WireWriter w;
    w.str(text);
    return w.frame(seq);
}

std::vector<uint8_t> lengthOnly(uint32_t length)
{
    return {uint8_t(length), uint8_t(length >> 8), uint8_t(length >> 16), uint8_t(length >> 24)};
}

std::string textOf(const Frame &frame)
{
    WireReader in(frame.body.data(), frame.body.size(), "test");
    return in.str();
}

void feed(FrameParser &parser, const std::vector<uint8_t> &bytes)
{
    parser.feed(bytes.data(), bytes.size());
}

} // namespace

TEST(FrameParser, DeliversEveryFrameOfOneReadInOrder)
{
    FrameParser parser(MinReplyLength, "Word");
    std::vector<uint8_t> bytes = frameOf(7, "first");
    std::vector<uint8_t> second = frameOf(8, "second");
    bytes.insert(bytes.end(), second.begin(), second.end());
    // A reply with nothing after its sequence number is a frame too; what it
    // lacks is for the reader of the reply to find.
    WireWriter empty;
    std::vector<uint8_t> third = empty.frame(9);
    bytes.insert(bytes.end(), third.begin(), third.end());
    feed(parser, bytes);

    auto a = parser.take();
    auto b = parser.take();
    auto c = parser.take();
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(a->seq, 7u);
    EXPECT_EQ(textOf(*a), "first");
    EXPECT_EQ(b->seq, 8u);
    EXPECT_EQ(textOf(*b), "second");
    EXPECT_EQ(c->seq, 9u);
    EXPECT_TRUE(c->body.empty());
    EXPECT_FALSE(parser.take());
    EXPECT_EQ(parser.missing(), 4u);
}

TEST(FrameParser, AFrameArrivingInPiecesIsAssembledAndWaitedFor)
{
    const std::vector<uint8_t> frame = frameOf(3, "assembled from single bytes");
    FrameParser parser(MinRequestLength, "the client");
    for (size_t i = 0; i + 1 < frame.size(); ++i) {
        parser.feed(&frame[i], 1);
        EXPECT_FALSE(parser.take()) << "after byte " << i;
        EXPECT_EQ(parser.missing(), i < 3 ? 3 - i : frame.size() - i - 1) << "after byte " << i;
    }
    parser.feed(&frame.back(), 1);
    auto whole = parser.take();
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->seq, 3u);
    EXPECT_EQ(textOf(*whole), "assembled from single bytes");

    // A truncated frame waits, however long, and the rest completes it.
    const std::vector<uint8_t> next = frameOf(4, "rest");
    parser.feed(next.data(), 9);
    EXPECT_FALSE(parser.take());
    EXPECT_EQ(parser.missing(), next.size() - 9);
    parser.feed(next.data() + 9, next.size() - 9);
    auto rest = parser.take();
    ASSERT_TRUE(rest);
    EXPECT_EQ(textOf(*rest), "rest");
}

TEST(FrameParser, AReaderThatTakesWhatIsMissingStopsAtTheFramesEnd)
{
    // Two frames waiting in the socket: reading missing() bytes at a time
    // gives the first without one byte of the second, which the host leaves
    // in the socket for its look at whether the client asks something.
    std::vector<uint8_t> socket = frameOf(1, "one");
    const size_t first = socket.size();
    std::vector<uint8_t> two = frameOf(2, "two");
    socket.insert(socket.end(), two.begin(), two.end());

    FrameParser parser(MinRequestLength, "the client");
    size_t read = 0;
    std::optional<Frame> frame;
    while (!(frame = parser.take())) {
        size_t n = parser.missing();
        parser.feed(socket.data() + read, n);
        read += n;
    }
    EXPECT_EQ(read, first);
    EXPECT_EQ(textOf(*frame), "one");
}

TEST(FrameParser, ALengthOutOfLimitsIsRefusedAsSoonAsItArrives)
{
    // Below the minimum: a reply must hold its sequence number, a request
    // also its Op.
    FrameParser replies(MinReplyLength, "Word");
    feed(replies, lengthOnly(3));
    EXPECT_EQ(ErrorText([&] { replies.take(); }), "Malformed message from Word");

    FrameParser requests(MinRequestLength, "the client");
    feed(requests, lengthOnly(4));
    EXPECT_EQ(ErrorText([&] { requests.take(); }), "Malformed message from the client");

    // Above MaxMessage; the largest length allowed waits for its bytes.
    FrameParser big(MinReplyLength, "Excel");
    feed(big, lengthOnly(MaxMessage));
    EXPECT_FALSE(big.take());
    EXPECT_EQ(big.missing(), size_t(MaxMessage));
    FrameParser tooBig(MinReplyLength, "Excel");
    feed(tooBig, lengthOnly(MaxMessage + 1));
    EXPECT_EQ(ErrorText([&] { tooBig.take(); }), "Malformed message from Excel");

    // The frames before the bad length are whole and come out first; after
    // it nothing does until the parser is cleared.
    FrameParser stream(MinReplyLength, "PowerPoint");
    feed(stream, frameOf(5, "good"));
    feed(stream, lengthOnly(0));
    feed(stream, frameOf(6, "after"));
    auto good = stream.take();
    ASSERT_TRUE(good);
    EXPECT_EQ(textOf(*good), "good");
    EXPECT_EQ(ErrorText([&] { stream.take(); }), "Malformed message from PowerPoint");
    EXPECT_EQ(ErrorText([&] { stream.take(); }), "Malformed message from PowerPoint");
    stream.clear();
    EXPECT_FALSE(stream.take());
    feed(stream, frameOf(7, "fresh"));
    auto fresh = stream.take();
    ASSERT_TRUE(fresh);
    EXPECT_EQ(fresh->seq, 7u);
}

// The frame parser and the reader of a frame's fields name a sender alike:
// a bad length and a body cut short read the same.
TEST(FrameParser, NamesTheSenderAsTheReaderOfItsFieldsDoes)
{
    for (const std::string peer : {"Word", "the client"}) {
        FrameParser parser(MinReplyLength, peer);
        feed(parser, lengthOnly(0));
        const std::string parsed = ErrorText([&] { parser.take(); });

        FrameParser whole(MinReplyLength, peer);
        feed(whole, frameOf(3, "cut"));
        const auto frame = whole.take();
        ASSERT_TRUE(frame);
        WireReader cut(frame->body.data(), 2, peer);
        EXPECT_EQ(ErrorText([&] { cut.str(); }), parsed);
        EXPECT_EQ(parsed, "Malformed message from " + peer);
    }
}
