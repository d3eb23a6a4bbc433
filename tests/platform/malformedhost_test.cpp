// The client against a host that breaks the protocol (folivex-scriptedhost
// stands in for folivex-office): each broken greeting fails the creation of
// the application with a text that says so, and the host is ended.
#include "core/error.h"
#include "platform/automation.h"
#include "platform/clipboard.h"
#include "tests/support/errortext.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace folivex::automation;

namespace {

// Creates Word's application object with the stand-in host sending
// `greeting`; returns the error's text, "(no error)" when there is none.
std::string creationError(const char *greeting)
{
    ::setenv("FOLIVEX_OFFICE", FOLIVEX_SCRIPTED_HOST, 1);
    ::setenv("FOLIVEX_SCRIPTED_HOST", greeting, 1);
    std::string error = "(no error)";
    try {
        CreateOleObject("Word.Application");
    } catch (const folivex::Error &e) {
        error = e.what();
    }
    ::unsetenv("FOLIVEX_SCRIPTED_HOST");
    ::unsetenv("FOLIVEX_OFFICE");
    return error;
}

} // namespace

TEST(MalformedHost, AWellFormedRefusalIsTheHostsOwnText)
{
    // The stand-in speaks the protocol: what fails below is the broken field alone.
    EXPECT_EQ(creationError("refusal"), "LibreOffice is not installed");
}

TEST(MalformedHost, AnUnknownValueTagIsAMalformedMessage)
{
    EXPECT_EQ(creationError("unknown-tag"), "Malformed message from Word");
}

// Every field of the greeting names its sender as its frame does: the
// application the host was started for.
TEST(MalformedHost, AStringLengthPastTheEndOfTheGreetingIsAMalformedMessage)
{
    EXPECT_EQ(creationError("string-too-long"), "Malformed message from Word");
}

TEST(MalformedHost, AFrameLengthAboveTheLargestMessageEndsTheHost)
{
    EXPECT_EQ(creationError("oversized"), "Malformed message from Word; it was ended");
}

// A reply cut short names the application as the frame parser does.
TEST(MalformedHost, AReplyCutShortIsAMalformedMessageFromTheApplication)
{
    ::setenv("FOLIVEX_OFFICE", FOLIVEX_SCRIPTED_HOST, 1);
    ::setenv("FOLIVEX_SCRIPTED_HOST", "cut-reply", 1);
    std::string error = "(no error)";
    try {
        const folivex::automation::Variant word = CreateOleObject("Word.Application");
        try {
            word.get("Visible");
        } catch (const folivex::Error &e) {
            error = e.what();
        }
    } catch (const folivex::Error &e) {
        error = std::string("creation: ") + e.what();
    }
    ::unsetenv("FOLIVEX_SCRIPTED_HOST");
    ::unsetenv("FOLIVEX_OFFICE");
    EXPECT_EQ(error, "Malformed message from Word");
}

TEST(MalformedHost, AFrameCutShortByTheHostsEndSaysHowItEnded)
{
    EXPECT_EQ(creationError("truncated"), "The Office host for Word could not start (exit status 3)");
}

// A render reply that puts the picture outside the buffer the client shares
// with the host would have the client read past it: the host is ended.
TEST(MalformedHost, APictureOutsideTheSharedBufferEndsTheHost)
{
    ::setenv("FOLIVEX_OFFICE", FOLIVEX_SCRIPTED_HOST, 1);
    ::setenv("FOLIVEX_SCRIPTED_HOST", "stray-picture", 1);
    std::string error = "(no error)";
    try {
        const Variant word = CreateOleObject("Word.Application");
        word.call("Copy");
        const std::shared_ptr<const folivex::clipboard::Picture> picture =
            folivex::clipboard::ProcessClipboard().enhancedMetafile();
        QImage page(40, 30, QImage::Format_RGB888);
        try {
            picture->play(page, page.rect());
        } catch (const folivex::Error &e) {
            error = e.what();
        }
        // Every later call hears why the host was ended.
        EXPECT_EQ(folivex::test::ErrorText([&] { word.get("Visible"); }), error);
    } catch (const folivex::Error &e) {
        error = std::string("before the render: ") + e.what();
    }
    ::unsetenv("FOLIVEX_SCRIPTED_HOST");
    ::unsetenv("FOLIVEX_OFFICE");
    EXPECT_EQ(error, "Malformed message from Word; it was ended");
}
