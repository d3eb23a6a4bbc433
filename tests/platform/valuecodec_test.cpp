// The value codec both ends speak: every tag comes back as it was written,
// values follow one another without a gap, and bytes that are no value are
// refused with the reader's text.
#include "core/error.h"
#include "platform/protocol.h"
#include "platform/valuecodec.h"
#include "platform/wire.h"

#include "tests/support/errortext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace folivex::wire;

using folivex::test::ErrorText;

namespace {

// A reader of what `body` holds, past its frame's length and sequence number.
class BodyReader {
public:
    BodyReader(const WireWriter &body, const char *peer)
        : frame_(body.frame(0)), in_(frame_.data(), frame_.size(), peer)
    {
        in_.u32();
        in_.u32();
    }
    WireReader &in() { return in_; }

private:
    std::vector<uint8_t> frame_;
    WireReader in_;
};

} // namespace

TEST(ValueCodec, EveryTagComesBackAsItWasWritten)
{
    using namespace std::string_literals;
    const std::vector<Value> values = {
        Value{},
        Null{},
        true,
        false,
        int32_t(0),
        int32_t(-1),
        std::numeric_limits<int32_t>::min(),
        std::numeric_limits<int32_t>::max(),
        0.1,
        -0.0,
        std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::denorm_min(),
        std::string(),
        "Grüße, 日本語"s,
        "a\0b"s,
        std::string(100000, 'x'),
        ObjectRef{1, 1},
        ObjectRef{0xFFFFFFFFu, 7},
    };
    WireWriter out;
    for (const Value &v : values)
        writeValue(out, v);
    writeValue(out, std::numeric_limits<double>::quiet_NaN());

    BodyReader body(out, "the Office host");
    WireReader &in = body.in();
    std::vector<Value> back;
    for (size_t i = 0; i < values.size(); ++i) {
        back.push_back(readValue(in));
        EXPECT_EQ(back[i].index(), values[i].index()) << "value " << i;
        EXPECT_EQ(back[i], values[i]) << "value " << i;
    }
    // The sign of a zero and a NaN survive: the double's bits travel.
    ASSERT_TRUE(std::holds_alternative<double>(back[9]));
    EXPECT_TRUE(std::signbit(std::get<double>(back[9])));
    Value nan = readValue(in);
    ASSERT_TRUE(std::holds_alternative<double>(nan));
    EXPECT_TRUE(std::isnan(std::get<double>(nan)));
    // And nothing was left unread.
    EXPECT_EQ(ErrorText([&] { readValue(in); }), "Malformed message from the Office host");
}

TEST(ValueCodec, BytesThatAreNoValueAreRefused)
{
    // A tag past Object, and the highest byte.
    for (uint8_t tag : {uint8_t(uint8_t(Tag::Object) + 1), uint8_t(255)}) {
        WireWriter out;
        out.u8(tag).i32(1);
        BodyReader body(out, "Word");
        EXPECT_EQ(ErrorText([&] { readValue(body.in()); }), "Malformed message from Word") << int(tag);
    }
    // A value cut short is the reader's to refuse, before any byte past the
    // message is read.
    WireWriter cut;
    cut.u8(uint8_t(Tag::String)).u32(10).u8('a');
    BodyReader shortString(cut, "the client");
    EXPECT_EQ(ErrorText([&] { readValue(shortString.in()); }), "Malformed message from the client");
    WireWriter half;
    half.u8(uint8_t(Tag::Object)).u32(3);
    BodyReader shortObject(half, "the client");
    EXPECT_EQ(ErrorText([&] { readValue(shortObject.in()); }), "Malformed message from the client");
    WireReader nothing(nullptr, 0, "the client");
    EXPECT_EQ(ErrorText([&] { readValue(nothing); }), "Malformed message from the client");
}
