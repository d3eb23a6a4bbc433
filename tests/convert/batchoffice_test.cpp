// The batch with real Office hosts: Stop pressed while a document is being
// written, unticked rows, and what every page looks like.
#include "convert/batchconverter.h"
#include "pdf/jpeg2pdf.h"
#include "platform/automation.h"
#include "scriptedoffice.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include <signal.h>

using namespace folivex;
using namespace folivex::test;
namespace fs = std::filesystem;

namespace {
const fs::path kFixtures = FOLIVEX_FIXTURE_DIR;

// A batch of a long document, whose older PDF is in the output folder, then
// a short one, with real hosts: the process of each host is recorded, and
// whether the first was gone before the second was created.
struct LongThenShortBatch {
    TempFolder out;
    RecordingView view;
    std::vector<int> pids;
    bool firstGoneBeforeSecond = false;
    convert::BatchConverter converter{view, [this](const std::string &progId) {
                                          if (pids.size() == 1)
                                              firstGoneBeforeSecond = ::kill(pids[0], 0) != 0;
                                          automation::Variant app = automation::CreateOleObject(progId);
                                          pids.push_back(automation::HostProcessId(app));
                                          return app;
                                      }};

    LongThenShortBatch()
    {
        view.outputFolder = out.path().string();
        view.addRow((kFixtures / "long1000.docx").string());
        view.addRow((kFixtures / "letter3.docx").string());
        WriteFile(out / "long1000.pdf", "older");
    }
};
} // namespace

TEST(BatchWithOffice, StopWhileWritingKeepsTheOlderPdfAndTheBatchGoesOn)
{
    TempFolder out;
    RecordingView view;
    view.outputFolder = out.path().string();
    view.addRow((kFixtures / "letter3.docx").string());
    view.addRow((kFixtures / "wide16x9.pptx").string(), false);
    view.addRow((kFixtures / "classic4x3.pptx").string());
    WriteFile(out / "letter3.pdf", "older");
    convert::BatchConverter converter(view);
    bool stopped = false;
    view.onPump = [&] {
        // Stop once the first image of letter3 has been written: its three
        // pages captured, the writing pass begun (0, 0), one image's bytes.
        if (!stopped && view.progress.size() == 5) {
            EXPECT_EQ(view.progress[3], std::make_pair(0, 0));
            EXPECT_GT(view.progress[4].first, 3) << "counted in JPEG bytes";
            stopped = true;
            converter.SpeedButton1Click();
        }
    };
    converter.SpeedButton11Click();
    ASSERT_TRUE(stopped);
    EXPECT_EQ(ReadFile(out / "letter3.pdf"), "older");
    EXPECT_EQ(out.entries(), (std::vector<std::string>{"classic4x3.pdf", "letter3.pdf"}))
        << "the unticked row is skipped";
    EXPECT_EQ(ListImages(out / "classic4x3.pdf").size(), 2u);
    EXPECT_EQ(view.messages, std::vector<std::string>{"Congratulation: Successed!"});
    EXPECT_FALSE(view.progressVisible) << "the bar stays hidden after a stop";
}

// Stop pressed while a long document's pages are captured: that document
// is dropped at its next page, no PDF is written and the older one is kept,
// its host is gone before the next document's begins, and the next ticked
// document is converted.
TEST(BatchWithOffice, StopDuringTheCaptureOfALongDocument)
{
    LongThenShortBatch batch;
    auto &[out, view, pids, firstGoneBeforeSecond, converter] = batch;
    // The bar counts the pages captured of the page count.
    int capturedAtStop = 0, pageCount = 0;
    view.onPump = [&] {
        if (capturedAtStop == 0 && !view.progress.empty() && view.progress.back().first >= 1000 &&
            view.progress.back().second >= 20) {
            pageCount = view.progress.back().first;
            capturedAtStop = view.progress.back().second;
            converter.SpeedButton1Click();
        }
    };
    converter.SpeedButton11Click();
    ASSERT_GT(capturedAtStop, 0);
    int capturedAtAll = 0;
    for (const auto &[maximum, position] : view.progress)
        if (maximum == pageCount)
            capturedAtAll = std::max(capturedAtAll, position);
    EXPECT_EQ(capturedAtAll, capturedAtStop) << "no page is captured after the stop";
    EXPECT_EQ(ReadFile(out / "long1000.pdf"), "older");
    EXPECT_EQ(out.entries(), (std::vector<std::string>{"letter3.pdf", "long1000.pdf"}));
    EXPECT_EQ(ListImages(out / "letter3.pdf").size(), 3u);
    ASSERT_EQ(pids.size(), 2u);
    EXPECT_TRUE(firstGoneBeforeSecond) << "the stopped document's host is ended, not left to finish";
    EXPECT_EQ(view.messages, std::vector<std::string>{"Congratulation: Successed!"});
    EXPECT_FALSE(view.progressVisible);
    EXPECT_EQ(converter.CurrentKind(), 1);
}

// Stop pressed while the host still loads a long document ends that host
// at once: no box, no PDF, the older one kept, the next document converted.
TEST(BatchWithOffice, StopWhileALongDocumentOpensEndsItsHost)
{
    LongThenShortBatch batch;
    auto &[out, view, pids, firstGoneBeforeSecond, converter] = batch;
    // The pump runs while a call waits for its host: the first host's first
    // wait after its creation is its Open.
    bool stopped = false;
    automation::SetMessagePump([&] {
        if (!stopped && pids.size() == 1) {
            stopped = true;
            converter.SpeedButton1Click();
        }
    });
    EXPECT_NO_THROW(converter.SpeedButton11Click());
    automation::SetMessagePump(nullptr);
    ASSERT_TRUE(stopped);
    ASSERT_EQ(pids.size(), 2u);
    EXPECT_TRUE(firstGoneBeforeSecond);
    EXPECT_EQ(ReadFile(out / "long1000.pdf"), "older");
    EXPECT_EQ(ListImages(out / "letter3.pdf").size(), 3u);
    EXPECT_EQ(view.messages, std::vector<std::string>{"Congratulation: Successed!"});
    EXPECT_EQ(view.finishedAs(convert::DocumentStatus::Failed), 0u) << "a stop is no failure";
}

// What the host says about a document it cannot open reaches the user with
// the fixed message; a host killed in the open ends path B as written.
TEST(BatchWithOffice, AFailedOpenGivesTheHostsReason)
{
    TempFolder out;
    RecordingView view;
    view.outputFolder = out.path().string();
    view.addRow((kFixtures / "sheet-named.docx").string());
    convert::BatchConverter converter(view);
    converter.SpeedButton11Click();
    EXPECT_EQ(view.messages, std::vector<std::string>{"Error: Failed to open the word document. If the Word version "
                                                      "is below 2007, please update it."});
    EXPECT_EQ(view.reasons, std::vector<std::string>{"it is a spreadsheet, not a text document"});
    EXPECT_EQ(view.documents, std::vector<std::string>{(kFixtures / "sheet-named.docx").string()});

    int pid = 0;
    std::chrono::steady_clock::time_point created;
    convert::BatchConverter killing(view, [&](const std::string &progId) {
        automation::Variant app = automation::CreateOleObject(progId);
        pid = automation::HostProcessId(app);
        created = std::chrono::steady_clock::now();
        return app;
    });
    view.rows.clear();
    view.messages.clear();
    view.reasons.clear();
    view.addRow((kFixtures / "big100.docx").string());
    // The host dies while it opens the document, which takes far longer than
    // the calls before the Open: those fail outside the open's handling.
    automation::SetMessagePump([&] {
        if (pid != 0 && std::chrono::steady_clock::now() - created > std::chrono::milliseconds(300))
            ::kill(pid, SIGKILL);
    });
    EXPECT_NO_THROW(killing.SpeedButton11Click()) << "Quit on the ended host does nothing";
    automation::SetMessagePump(nullptr);
    EXPECT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.reasons, std::vector<std::string>{"Word ended unexpectedly (killed by signal 9)"});
    EXPECT_EQ(view.status, "");
    EXPECT_FALSE(view.progressVisible);
    EXPECT_EQ(killing.CurrentKind(), 0);
}

// A host that dies in the middle of a document fails that document: no PDF
// of repeated pages, the older file kept, one warning.
TEST(BatchWithOffice, AHostKilledInTheMiddleOfADocumentWritesNoPdf)
{
    TempFolder out;
    RecordingView view;
    view.outputFolder = out.path().string();
    view.addRow((kFixtures / "big100.docx").string());
    WriteFile(out / "big100.pdf", "older");
    int pid = 0;
    convert::BatchConverter converter(view, [&](const std::string &progId) {
        automation::Variant app = automation::CreateOleObject(progId);
        pid = automation::HostProcessId(app);
        return app;
    });
    int pumps = 0;
    view.onPump = [&] {
        if (++pumps == 20)
            ::kill(pid, SIGKILL);
    };
    EXPECT_NO_THROW(converter.SpeedButton11Click());
    EXPECT_EQ(ReadFile(out / "big100.pdf"), "older");
    EXPECT_EQ(out.entries(), std::vector<std::string>{"big100.pdf"}) << "no temporary file is left";
    ASSERT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(view.messages[0], "Warning: No content.");
    EXPECT_NE(view.messages[1].find("No PDF was written for " + (kFixtures / "big100.docx").string() + ": page "),
              std::string::npos)
        << view.messages[1];
    EXPECT_NE(view.messages[1].find("Word ended unexpectedly (killed by signal 9)"), std::string::npos)
        << view.messages[1];
    ASSERT_EQ(view.finishedAs(convert::DocumentStatus::Failed), 1u);
}
