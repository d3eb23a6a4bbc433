// The reader of the messages between the client and an Office host: what
// the writer wrote reads back, and a message shorter than what it is read
// as fails with the peer's name instead of reading past its bytes.
#include "core/error.h"
#include "platform/wire.h"

#include "tests/support/errortext.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

using namespace folivex::wire;

using folivex::test::ErrorText;

namespace {

using Bytes = std::vector<std::uint8_t>;

// One Invoke-like body: every kind of field once.
WireWriter sampleBody()
{
    WireWriter body;
    body.u8(2).u32(0xDEADBEEF).i32(-7).f64(595.275).str("Slides").str("").str(std::string_view("a\0b", 3));
    return body;
}

// Reads sampleBody()'s fields in order, checking each.
void readSample(WireReader &in)
{
    EXPECT_EQ(in.u8(), 2);
    EXPECT_EQ(in.u32(), 0xDEADBEEFu);
    EXPECT_EQ(in.i32(), -7);
    EXPECT_EQ(in.f64(), 595.275);
    EXPECT_EQ(in.str(), "Slides");
    EXPECT_EQ(in.str(), "");
    EXPECT_EQ(in.str(), std::string("a\0b", 3));
}

Bytes littleEndian(std::uint32_t v)
{
    return {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
}

} // namespace

TEST(WireReader, ReadsBackAFrameAsTheWriterBuiltIt)
{
    const Bytes frame = sampleBody().frame(41);
    WireReader in(frame.data(), frame.size(), "the Office host");
    EXPECT_EQ(in.u32(), frame.size() - 4) << "the length counts what follows it";
    EXPECT_EQ(in.u32(), 41u);
    readSample(in);
    EXPECT_EQ(ErrorText([&] { in.u8(); }), "Malformed message from the Office host") << "nothing after the last field";
}

TEST(WireReader, ATruncatedFrameFailsAtTheFieldThatIsCut)
{
    const Bytes frame = sampleBody().frame(1);
    // Cut after the length, inside the sequence number, the u32, the i32,
    // the double, the first string's length and bytes, the last string's
    // length and bytes, and one byte short of the whole.
    for (std::size_t keep : {4, 6, 10, 14, 20, 27, 31, 41, 44, 45}) {
        WireReader in(frame.data(), keep, "the Office host");
        const std::string error = ErrorText([&] {
            in.u32();
            in.u32();
            readSample(in);
        });
        EXPECT_EQ(error, "Malformed message from the Office host") << "cut to " << keep << " bytes";
    }
    WireReader empty(frame.data(), 0, "the client");
    EXPECT_EQ(ErrorText([&] { empty.u8(); }), "Malformed message from the client");
}

TEST(WireReader, ALengthPastTheEndOfTheMessageFails)
{
    // A string whose length says more bytes than the message has left.
    Bytes message = littleEndian(10);
    message.insert(message.end(), {'W', 'o', 'r', 'd'});
    WireReader in(message.data(), message.size(), "the client");
    EXPECT_EQ(ErrorText([&] { in.str(); }), "Malformed message from the client");

    // A length so large that a careless end test would wrap around.
    for (std::uint32_t length : {std::numeric_limits<std::uint32_t>::max(), std::uint32_t(MaxMessage) + 1}) {
        Bytes huge = littleEndian(length);
        huge.push_back('x');
        WireReader reader(huge.data(), huge.size(), "the Office host");
        EXPECT_EQ(ErrorText([&] { reader.str(); }), "Malformed message from the Office host") << length;
    }

    // A string that ends exactly at the end of the message is whole.
    Bytes exact = littleEndian(4);
    exact.insert(exact.end(), {'W', 'o', 'r', 'd'});
    WireReader whole(exact.data(), exact.size(), "the client");
    EXPECT_EQ(whole.str(), "Word");
}
