// How a confined host gets its one document: the opener, forked before the
// confinement, opens one file and then no other; the inbox keeps the host's
// own copy.
#include "core/error.h"
#include "office/server/documentinbox.h"
#include "office/server/documentopener.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace folivex;
using namespace folivex::office;
using folivex::test::TempFolder;

namespace {

std::string openText(DocumentOpener &opener, const fs::path &path)
{
    try {
        opener.open(path.string());
        return "opened";
    } catch (const Error &e) {
        return e.text();
    }
}

TEST(DocumentOpener, OpensOneDocumentAndThenNoOtherFile)
{
    TempFolder folder;
    test::WriteFile(folder / "a.docx", "first");
    test::WriteFile(folder / "b.docx", "second");
    DocumentOpener opener = DocumentOpener::start();
    UniqueFd fd = opener.open((folder / "a.docx").string());
    char bytes[5];
    ASSERT_EQ(::pread(fd.get(), bytes, 5, 0), 5);
    EXPECT_EQ(std::string(bytes, 5), "first");
    EXPECT_EQ(openText(opener, folder / "b.docx"),
              "Cannot open " + (folder / "b.docx").string() + ": this host has opened its document already");
}

TEST(DocumentOpener, RefusesWhatIsNoRegularFileWithoutWaitingAndOpensTheNextPath)
{
    TempFolder folder;
    test::WriteFile(folder / "empty.docx", "");
    test::WriteFile(folder / "real.docx", "real");
    {
        DocumentOpener opener = DocumentOpener::start();
        EXPECT_EQ(openText(opener, folder / "empty.docx"),
                  "Cannot open " + (folder / "empty.docx").string() + ": the file is empty");
        EXPECT_EQ(openText(opener, folder / "real.docx"), "opened");
    }
    ASSERT_EQ(::mkfifo((folder / "pipe.docx").c_str(), 0600), 0);
    fs::create_directory(folder / "folder.docx");
    for (const char *name : {"pipe.docx", "folder.docx", "missing.docx"}) {
        DocumentOpener opener = DocumentOpener::start();
        EXPECT_EQ(openText(opener, folder / name),
                  "Cannot open " + (folder / name).string() + ": there is no such file");
    }
    test::WriteFile(folder / "locked.docx", "x");
    ::chmod((folder / "locked.docx").c_str(), 0);
    if (::geteuid() != 0) {
        DocumentOpener opener = DocumentOpener::start();
        EXPECT_EQ(openText(opener, folder / "locked.docx"),
                  "Cannot open " + (folder / "locked.docx").string() + ": Permission denied");
    }
}

TEST(DocumentInbox, KeepsACopyUnderTheDocumentsNameUntilItGoes)
{
    TempFolder folder;
    const std::string content(300000, 'x');
    test::WriteFile(folder / "report.docx", content);
    std::string copy;
    {
        DocumentInbox inbox((folder / "inbox").string());
        DocumentOpener opener = DocumentOpener::start();
        UniqueFd fd = opener.open((folder / "report.docx").string());
        copy = inbox.take(fd.get(), "/somewhere/report.docx");
        EXPECT_EQ(copy, (folder / "inbox" / "report.docx").string());
        EXPECT_EQ(test::ReadFile(copy), content);
    }
    EXPECT_FALSE(fs::exists(copy));
}

TEST(DocumentInbox, RefusesAnEmptyDocument)
{
    TempFolder folder;
    test::WriteFile(folder / "empty.docx", "");
    DocumentInbox inbox((folder / "inbox").string());
    UniqueFd fd(::open((folder / "empty.docx").c_str(), O_RDONLY | O_CLOEXEC));
    try {
        inbox.take(fd.get(), "/home/ana/empty.docx");
        FAIL() << "an empty file was taken";
    } catch (const Error &e) {
        EXPECT_EQ(e.text(), "Cannot open /home/ana/empty.docx: the file is empty");
    }
}

} // namespace
