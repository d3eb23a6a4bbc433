// ASCII letter case: A to Z become a to z, every other byte stays, whatever
// the locale (the names and extensions it folds are compared byte by byte).
#include "core/asciitext.h"

#include <gtest/gtest.h>

using folivex::AsciiLower;

TEST(AsciiLower, LowersTheAsciiCapitalsOnly)
{
    EXPECT_EQ(AsciiLower("Word.Application"), "word.application");
    EXPECT_EQ(AsciiLower(".DOCX"), ".docx");
    EXPECT_EQ(AsciiLower("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), "abcdefghijklmnopqrstuvwxyz");
    // The neighbours of A and Z in ASCII, digits and what is lower already.
    EXPECT_EQ(AsciiLower("@[`{ 09 az_-."), "@[`{ 09 az_-.");
    EXPECT_EQ(AsciiLower(""), "");
}

TEST(AsciiLower, LeavesBytesOutsideAsciiAsTheyAre)
{
    // UTF-8 capitals (Ä, Ö, İ, К) keep every byte; so do stray high bytes.
    EXPECT_EQ(AsciiLower("\xC3\x84rger \xC3\x96L \xC4\xB0STANBUL \xD0\x9A"),
              "\xC3\x84rger \xC3\x96l \xC4\xB0stanbul \xD0\x9A");
    EXPECT_EQ(AsciiLower("\x80\xC1\xDA\xFF"), "\x80\xC1\xDA\xFF");
    // A NUL inside the text is a byte like any other.
    EXPECT_EQ(AsciiLower(std::string_view("A\0B", 3)), std::string("a\0b", 3));
}
