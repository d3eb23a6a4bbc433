// The in-memory byte sink and stream: what a writer puts in, what a reader
// takes out, and a read past the end.
#include "core/error.h"
#include "core/memorystream.h"

#include "tests/support/errortext.h"

#include <gtest/gtest.h>

#include <string>

using folivex::ByteSink;
using folivex::Error;
using folivex::MemoryStream;

using folivex::test::ErrorText;

namespace {

std::string textOf(const MemoryStream &stream)
{
    return std::string(stream.bytes().begin(), stream.bytes().end());
}

} // namespace

TEST(MemoryStream, TakesEveryByteWrittenThroughTheSinkInOrder)
{
    MemoryStream stream;
    ByteSink &sink = stream;
    EXPECT_EQ(sink.position(), 0u);
    sink.write("%PDF-1.2\n");
    const char binary[] = {'\xff', '\xd8', '\0', '\x01'};
    sink.write(binary, sizeof binary);
    sink.write(std::string_view("\0end", 4));
    sink.write(nullptr, 0);
    EXPECT_EQ(sink.position(), 17u);
    EXPECT_EQ(stream.size(), 17u);
    EXPECT_EQ(textOf(stream), std::string("%PDF-1.2\n\xff\xd8\0\x01\0end", 17));
}

TEST(MemoryStream, WritesAppendWhereverTheReadPositionIs)
{
    MemoryStream stream(std::vector<std::uint8_t>{1, 2, 3});
    EXPECT_EQ(stream.readByte(), 1);
    stream.write("\x04", 1);
    EXPECT_EQ(stream.readPosition(), 1u);
    EXPECT_EQ(stream.bytes(), (std::vector<std::uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(stream.readByte(), 2);
}

TEST(MemoryStream, ReadsBytesAndBigEndianWordsFromThePosition)
{
    MemoryStream stream(std::vector<std::uint8_t>{0xFF, 0xC0, 0x00, 0x11, 0x08, 0x02, 0x58});
    EXPECT_EQ(stream.readBigEndian16(), 0xFFC0);
    EXPECT_EQ(stream.readBigEndian16(), 0x0011);
    EXPECT_EQ(stream.readByte(), 0x08);
    stream.seek(5);
    EXPECT_EQ(stream.readBigEndian16(), 0x0258);
    EXPECT_EQ(stream.readPosition(), 7u);
    stream.seek(0);
    std::uint8_t first[3];
    stream.read(first, sizeof first);
    EXPECT_EQ(first[2], 0x00);
    EXPECT_EQ(stream.readPosition(), 3u);
}

TEST(MemoryStream, AReadPastTheEndFailsAndLeavesThePosition)
{
    MemoryStream stream(std::vector<std::uint8_t>{0xFF, 0xD8, 0xFF});
    stream.seek(2);
    EXPECT_EQ(ErrorText([&] { stream.readBigEndian16(); }), "Stream read error");
    EXPECT_EQ(stream.readPosition(), 2u);
    EXPECT_EQ(stream.readByte(), 0xFF) << "the byte that was there is still read";
    EXPECT_EQ(ErrorText([&] { stream.readByte(); }), "Stream read error");
    std::uint8_t into[4];
    stream.seek(0);
    EXPECT_EQ(ErrorText([&] { stream.read(into, sizeof into); }), "Stream read error");
    EXPECT_EQ(stream.readPosition(), 0u);
}

TEST(MemoryStream, APositionSoughtPastTheEndMakesTheNextReadFail)
{
    MemoryStream stream(std::vector<std::uint8_t>{1, 2});
    stream.seek(10);
    EXPECT_EQ(stream.readPosition(), 10u);
    std::uint8_t none;
    EXPECT_EQ(ErrorText([&] { stream.read(&none, 0); }), "Stream read error");
    EXPECT_EQ(ErrorText([&] { stream.readByte(); }), "Stream read error");
    stream.seek(2);
    EXPECT_EQ(ErrorText([&] { stream.read(&none, 0); }), "(no error)") << "nothing at the very end";
}
