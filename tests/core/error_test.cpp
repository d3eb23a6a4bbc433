// The one error type: the bare text a message box shows, and what() naming
// the file, the page and the step for a log line or a report.
#include "core/error.h"

#include <gtest/gtest.h>

using folivex::Error;

TEST(Error, WhatNamesTheFileThePageAndTheStageBeforeTheText)
{
    const Error error("No space left on device", "/home/ana/Output/report.pdf", 3, "writing");
    EXPECT_STREQ(error.what(), "/home/ana/Output/report.pdf: page 3: writing: No space left on device");
    EXPECT_EQ(error.text(), "No space left on device");
    EXPECT_EQ(error.file(), "/home/ana/Output/report.pdf");
    EXPECT_EQ(error.page(), 3);
    EXPECT_EQ(error.stage(), "writing");
}

TEST(Error, WhatLeavesOutWhatIsNotKnown)
{
    EXPECT_STREQ(Error("Cannot open clipboard").what(), "Cannot open clipboard");
    EXPECT_STREQ(Error("JPEG error #41", {}, 2).what(), "page 2: JPEG error #41");
    EXPECT_STREQ(Error("JPEG error #41", {}, 0, "capture").what(), "capture: JPEG error #41");
    EXPECT_STREQ(Error("Permission denied", "/docs/a.docx").what(), "/docs/a.docx: Permission denied");
    EXPECT_STREQ(Error("Permission denied", "/docs/a.docx", 0, "statx").what(),
                 "/docs/a.docx: statx: Permission denied");
}

TEST(Error, ContextAddedOutsideFillsOnlyWhatTheErrorDoesNotCarry)
{
    const Error inner("JPEG error #41", {}, 0, "capture");
    const Error outer = inner.withContext("/docs/slides.pptx", 5, "writing");
    EXPECT_STREQ(outer.what(), "/docs/slides.pptx: page 5: capture: JPEG error #41") << "the innermost stage wins";
    EXPECT_EQ(outer.text(), "JPEG error #41");

    const Error named("Permission denied", "/docs/a.docx", 2, "reading");
    EXPECT_STREQ(named.withContext("/docs/other.docx", 7, "writing").what(),
                 "/docs/a.docx: page 2: reading: Permission denied");
    EXPECT_STREQ(named.withContext({}).what(), named.what());
}

TEST(Error, IsCaughtAsAStandardException)
{
    try {
        throw Error("Stream read error", "/docs/a.docx");
    } catch (const std::exception &caught) {
        EXPECT_STREQ(caught.what(), "/docs/a.docx: Stream read error");
        return;
    }
    FAIL() << "not a std::exception";
}
