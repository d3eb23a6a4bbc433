// The batch with scripted applications: what the user is shown and which
// PDFs exist after every way a batch can go.
#include "convert/batchconverter.h"
#include "core/error.h"
#include "pdf/jpeg2pdf.h"
#include "scriptedoffice.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace folivex;
using namespace folivex::test;

namespace {

class Batch : public ::testing::Test {
protected:
    Batch()
    {
        view.outputFolder = folder.path().string();
        for (int kind = 1; kind <= 3; ++kind)
            offices[kind].kind = kind;
    }

    // Applications by kind; `refuse` lists the creations (counted from 1) that fail.
    convert::BatchConverter::ApplicationFactory factory()
    {
        return [this](const std::string &progId) {
            ++created;
            progIds.push_back(progId);
            if (std::find(refuse.begin(), refuse.end(), created) != refuse.end())
                throw Error("cannot start " + progId);
            const int kind = progId.starts_with("Word") ? 1 : progId.starts_with("PowerPoint") ? 2 : 3;
            return offices[kind].application();
        };
    }

    std::string path(const std::string &name) const { return "/docs/" + name; }
    bool pdfExists(const std::string &name) const { return std::filesystem::exists(folder / name); }

    TempFolder folder;
    RecordingView view;
    ScriptedOffice offices[4];
    std::vector<int> refuse;
    std::vector<std::string> progIds;
    int created = 0;
    convert::BatchConverter converter{view, factory()};
};

} // namespace

TEST_F(Batch, AnEmptyOrUntickedListStillCompletes)
{
    converter.SpeedButton11Click();
    view.addRow(path("a.docx"), false);
    converter.SpeedButton11Click();
    EXPECT_EQ(created, 0);
    EXPECT_EQ(view.messages, (std::vector<std::string>{"Congratulation: Successed!", "Congratulation: Successed!"}));
    EXPECT_EQ(view.openedFolders.size(), 2u);
    EXPECT_EQ(view.status, "Successed!");
    EXPECT_FALSE(view.progressVisible);
}

TEST_F(Batch, EveryTickedDocumentBecomesItsPdf)
{
    view.addRow(path("a.docx"));
    view.addRow(path("b.pptx"), false);
    view.addRow(path("c.PPTX"));
    view.addRow(path("d.xls"));
    converter.SpeedButton11Click();
    EXPECT_EQ(progIds, (std::vector<std::string>{"Word.Application", "PowerPoint.Application", "Excel.Application"}));
    EXPECT_TRUE(pdfExists("a.pdf"));
    EXPECT_FALSE(pdfExists("b.pdf"));
    EXPECT_TRUE(pdfExists("c.pdf"));
    EXPECT_TRUE(pdfExists("d.pdf"));
    EXPECT_EQ(QpdfProblems(folder / "a.pdf"), "");
    EXPECT_EQ(ListImages(folder / "a.pdf").size(), 3u);
    const std::string folderText = folder.path().string();
    EXPECT_EQ(view.statusTexts, (std::vector<std::string>{"Converting...", "Converting  " + folderText + "/a.docx",
                                                          "Converting  " + folderText + "/c.PPTX",
                                                          "Converting  " + folderText + "/d.xls", "Successed!"}));
    EXPECT_EQ(view.messages, std::vector<std::string>{"Congratulation: Successed!"});
    EXPECT_EQ(view.openedFolders, std::vector<std::string>{folderText});
    for (int kind = 1; kind <= 3; ++kind) {
        EXPECT_EQ(offices[kind].quits, 1) << kind;
        EXPECT_TRUE(*offices[kind].released) << "no application outlives its document";
    }
    EXPECT_EQ(converter.CurrentKind(), 3);
    EXPECT_EQ(view.progress.back(), std::make_pair(0, 0));
}

TEST_F(Batch, AnApplicationThatCannotStartEndsTheBatch)
{
    for (const char *name : {"1.docx", "2.docx", "3.pptx", "4.docx", "5.xlsx"})
        view.addRow(path(name));
    refuse = {3};
    converter.SpeedButton11Click();
    EXPECT_TRUE(pdfExists("1.pdf"));
    EXPECT_TRUE(pdfExists("2.pdf"));
    EXPECT_FALSE(pdfExists("4.pdf"));
    EXPECT_EQ(created, 3);
    EXPECT_EQ(view.messages,
              std::vector<std::string>{"Error: Failed to connect PowerPoint. Please install LibreOffice Impress."});
    EXPECT_TRUE(view.openedFolders.empty());
    EXPECT_EQ(view.status, "");
    EXPECT_FALSE(view.progressVisible);
    EXPECT_EQ(converter.CurrentKind(), 0);
}

TEST_F(Batch, ADocumentThatCannotBeOpenedEndsTheBatch)
{
    view.addRow(path("bad.xlsx"));
    view.addRow(path("good.docx"));
    offices[3].openFails = true;
    converter.SpeedButton11Click();
    EXPECT_EQ(view.messages, std::vector<std::string>{"Error: Failed to open the Excel document. If the Excel "
                                                      "version is below 2007, please update it."});
    EXPECT_EQ(offices[3].quits, 1);
    EXPECT_TRUE(*offices[3].released);
    EXPECT_EQ(created, 1);
    EXPECT_TRUE(view.openedFolders.empty());
    EXPECT_EQ(converter.CurrentKind(), 0);
}

TEST_F(Batch, AMissingOutputFolderIsReportedNotCelebrated)
{
    view.outputFolder = (folder / "missing").string();
    view.addRow(path("a.docx"));
    view.addRow(path("b.docx"));
    converter.SpeedButton11Click();
    EXPECT_EQ(created, 1) << "no further document is converted";
    EXPECT_EQ(offices[1].quits, 1);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_TRUE(view.messages[0].starts_with("Error: No PDF was written for /docs/a.docx: Cannot create file \"" +
                                             view.outputFolder + "/a.pdf\"."))
        << view.messages[0];
    EXPECT_EQ(view.status, "Finished with errors.");
    EXPECT_TRUE(view.openedFolders.empty()) << "there is no folder to open";
    EXPECT_EQ(view.finishedAs(convert::DocumentStatus::Failed), 1u);
}

// Stop abandons the document being captured (the whole of its work now)
// at its next page: no PDF, an older one kept, the next document converted
// with its own label and the bar left hidden.
TEST_F(Batch, StopAbandonsOnlyTheDocumentBeingCaptured)
{
    view.addRow(path("a.docx"));
    view.addRow(path("b.pptx"));
    offices[1].pages = 5;
    WriteFile(folder / "a.pdf", "older");
    auto copies = [](const ScriptedOffice &office) {
        return std::count_if(office.log.begin(), office.log.end(),
                             [](const std::string &call) { return call.find("copyaspicture") != std::string::npos; });
    };
    // The Stop button, pressed once the second page of a.docx is captured.
    bool stopped = false;
    view.onPump = [&] {
        if (!stopped && view.progress == std::vector<std::pair<int, int>>{{5, 1}, {5, 2}}) {
            stopped = true;
            converter.SpeedButton1Click();
            EXPECT_EQ(view.status, "");
            EXPECT_FALSE(view.progressVisible);
        }
    };
    converter.SpeedButton11Click();
    ASSERT_TRUE(stopped);
    EXPECT_EQ(copies(offices[1]), 2) << "no page is captured after the stop";
    EXPECT_EQ(offices[1].quits, 1);
    EXPECT_TRUE(*offices[1].released);
    EXPECT_EQ(ReadFile(folder / "a.pdf"), "older") << "an earlier PDF of that name survives a stop";
    EXPECT_EQ(ListImages(folder / "b.pdf").size(), 3u);
    EXPECT_EQ(view.statusTexts,
              (std::vector<std::string>{"Converting...", "Converting  " + folder.path().string() + "/a.docx", "",
                                        "Converting  " + folder.path().string() + "/b.pptx", "Successed!"}));
    EXPECT_EQ(view.messages, std::vector<std::string>{"Congratulation: Successed!"}) << "a stop is no failure";
    EXPECT_FALSE(view.progressVisible);
    EXPECT_EQ(converter.CurrentKind(), 2);
}

// Stop pressed after a document has been written, before the next one
// begins, reaches neither of them; pressed while the next one opens, it
// stops that one before its first page.
TEST_F(Batch, StopBetweenDocumentsReachesNeither)
{
    view.addRow(path("a.docx"));
    view.addRow(path("b.pptx"));
    view.addRow(path("c.xlsx"));
    bool pressedBetween = false;
    view.onPump = [&] {
        if (!pressedBetween && offices[1].quits == 1) {
            pressedBetween = true;
            converter.SpeedButton1Click();
        }
    };
    // Pressed while c.xlsx opens.
    offices[3].onOpen = [&] { converter.SpeedButton1Click(); };
    converter.SpeedButton11Click();
    ASSERT_TRUE(pressedBetween);
    EXPECT_TRUE(pdfExists("a.pdf"));
    EXPECT_TRUE(pdfExists("b.pdf"));
    EXPECT_FALSE(pdfExists("c.pdf"));
    EXPECT_EQ(offices[3].quits, 1);
    EXPECT_EQ(view.statusTexts.back(), "Successed!");
    EXPECT_EQ(std::count(view.statusTexts.begin(), view.statusTexts.end(),
                         "Converting  " + folder.path().string() + "/c.xlsx"),
              0)
        << "a document stopped before its first page is not announced";
}

TEST_F(Batch, FailuresOfAPageOrTheSettingsNameTheirDocument)
{
    view.addRow(path("none.txt"));
    view.addRow(path("empty.pptx"));
    view.addRow(path("a.docx"));
    offices[2].pages = 0;
    offices[1].copyFails = [&](int) {
        view.sizePercent = "250"; // changed through the dialog's close box during the batch
        return false;
    };
    converter.SpeedButton11Click();
    EXPECT_EQ(progIds, (std::vector<std::string>{"PowerPoint.Application", "Word.Application"}))
        << "nothing is started for a file of no known kind";
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0], "Error: No PDF was written for /docs/none.txt: it is not a Word, PowerPoint or Excel "
                                "document.\nNo PDF was written for /docs/empty.pptx: it has no pages.\nNo PDF was "
                                "written for /docs/a.docx: The size percentage '250' is not between 30 and 100.");
    EXPECT_FALSE(pdfExists("a.pdf"));
    EXPECT_EQ(offices[1].quits, 1);
}

// A PDF, a text file or a name without an extension starts no application
// (a PDF once went to PowerPoint); the letter case of a known one does not matter.
TEST_F(Batch, NoApplicationStartsForADocumentOfNoKnownKind)
{
    for (const char *name : {"report.pdf", "notes.txt", "README", "LETTER.DOCX"})
        view.addRow(path(name));
    converter.SpeedButton11Click();
    EXPECT_EQ(progIds, std::vector<std::string>{"Word.Application"});
    const std::string notOffice = ": it is not a Word, PowerPoint or Excel document.";
    EXPECT_EQ(view.messages, std::vector<std::string>{"Error: No PDF was written for /docs/report.pdf" + notOffice +
                                                      "\nNo PDF was written for /docs/notes.txt" + notOffice +
                                                      "\nNo PDF was written for /docs/README" + notOffice});
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"LETTER.pdf"});
}

// The view is told of each document as its pages begin (its place among
// the ticked rows, its page count) and as it is done with, converted or
// not, then of the batch: the same results the completion box speaks of.
TEST_F(Batch, EachDocumentIsToldAsItStartsAndAsItFinishes)
{
    view.addRow(path("a.docx"));
    view.addRow(path("b.pptx"), false);
    view.addRow(path("notes.txt"));
    view.addRow(path("c.xlsx"));
    offices[3].pages = 2;
    converter.SpeedButton11Click();

    ASSERT_EQ(view.started.size(), 2u) << "a document no application opens has no start";
    EXPECT_EQ(view.started[0].path, path("a.docx"));
    EXPECT_EQ(view.started[0].outputName, (folder / "a.docx").string());
    EXPECT_EQ(view.started[0].index, 0u);
    EXPECT_EQ(view.started[0].count, 3u);
    EXPECT_EQ(view.started[0].pages, 3);
    EXPECT_EQ(view.started[1].path, path("c.xlsx"));
    EXPECT_EQ(view.started[1].index, 2u);
    EXPECT_EQ(view.started[1].pages, 2);

    ASSERT_EQ(view.finished.size(), 3u);
    const convert::DocumentResult &a = view.finished[0], &notes = view.finished[1], &c = view.finished[2];
    EXPECT_EQ(a.status, convert::DocumentStatus::Converted);
    EXPECT_EQ(a.output, (folder / "a.pdf").string());
    EXPECT_EQ(a.pages, 3);
    EXPECT_EQ(a.bytes, std::filesystem::file_size(folder / "a.pdf"));
    EXPECT_EQ(a.reason, "");
    EXPECT_EQ(notes.status, convert::DocumentStatus::Failed);
    EXPECT_EQ(notes.input, path("notes.txt"));
    EXPECT_EQ(notes.output, "");
    EXPECT_EQ(notes.reason, "it is not a Word, PowerPoint or Excel document.");
    EXPECT_EQ(c.status, convert::DocumentStatus::Converted);
    EXPECT_EQ(c.pages, 2);

    ASSERT_EQ(view.batches.size(), 1u);
    EXPECT_EQ(view.batches[0].size(), 3u);
    EXPECT_EQ(view.messages, std::vector<std::string>{"Error: No PDF was written for /docs/notes.txt: it is not a "
                                                      "Word, PowerPoint or Excel document."});
    EXPECT_EQ(view.status, "Finished with errors.");
}

// A page that cannot be copied (its host died, or ran past its time) fails
// the document: no PDF of other pages' pictures, the older file kept, and
// one "No content." however many pages are left.
TEST_F(Batch, APageThatCannotBeCopiedFailsItsDocument)
{
    view.addRow(path("a.docx"));
    view.addRow(path("b.pptx"));
    WriteFile(folder / "a.pdf", "older");
    offices[1].pages = 150;
    offices[1].copyFails = [](int n) { return n >= 2; };
    converter.SpeedButton11Click();
    EXPECT_EQ(ReadFile(folder / "a.pdf"), "older");
    EXPECT_FALSE(pdfExists("b.pdf")) << "a capture failure ends the batch, which completes";
    ASSERT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(view.messages[0], "Warning: No content.");
    EXPECT_EQ(view.messages[1],
              "Error: No PDF was written for /docs/a.docx: page 2: copy: No content. The page could not be copied: "
              "Nothing to copy");
    EXPECT_EQ(view.status, "Finished with errors.");
    EXPECT_EQ(view.finishedAs(convert::DocumentStatus::Converted), 0u);
    EXPECT_EQ(offices[1].quits, 1);
}

TEST_F(Batch, UnguardedApplicationFailuresLeaveTheBatchButReleaseTheApplication)
{
    view.addRow(path("a.docx"));
    offices[1].visibleFails = true;
    try {
        converter.SpeedButton11Click();
        FAIL() << "the failure reaches the top-level error box";
    } catch (const Error &error) {
        EXPECT_NE(error.text().find("The application refused to show itself"), std::string::npos) << error.text();
    }
    EXPECT_TRUE(*offices[1].released);
    EXPECT_FALSE(converter.running()) << "a later Convert runs again";
    EXPECT_EQ(view.status, "Converting...") << "the label keeps what it showed";

    offices[1].visibleFails = false;
    offices[1].countFails = true;
    EXPECT_THROW(converter.SpeedButton11Click(), Error);
    EXPECT_TRUE(*offices[1].released);

    offices[1].countFails = false;
    offices[1].quitFails = true;
    EXPECT_THROW(converter.SpeedButton11Click(), Error);
    EXPECT_TRUE(pdfExists("a.pdf"));
}

TEST_F(Batch, TheListMayChangeWhileTheBatchRuns)
{
    view.addRow(path("a.docx"));
    view.addRow(path("b.docx"));
    view.addRow(path("c.docx"));
    view.addRow(path("d.docx"));
    int pressed = 0;
    view.onPump = [&] {
        if (created == 1 && pressed == 0) {
            ++pressed;
            converter.SpeedButton11Click();         // Convert again: ignored
            view.rows[1].second.ticked = false;     // b unticked
            view.rows.erase(view.rows.begin() + 2); // c removed
            std::swap(view.rows[0], view.rows[1]);  // re-sorted
        }
    };
    converter.SpeedButton11Click();
    EXPECT_EQ(pressed, 1);
    EXPECT_TRUE(pdfExists("a.pdf"));
    EXPECT_FALSE(pdfExists("b.pdf"));
    EXPECT_FALSE(pdfExists("c.pdf"));
    EXPECT_TRUE(pdfExists("d.pdf"));
    EXPECT_EQ(created, 2);
    EXPECT_EQ(view.messages, std::vector<std::string>{"Congratulation: Successed!"});
}

TEST_F(Batch, AbortingEndsTheBatchWithoutAPartialFile)
{
    view.addRow(path("a.docx"));
    view.addRow(path("b.docx"));
    view.onPump = [&] {
        if (view.progress.size() == 1)
            converter.AbortBatch(); // the window is closed while a.docx is written
    };
    converter.SpeedButton11Click();
    EXPECT_TRUE(folder.entries().empty());
    EXPECT_EQ(created, 1);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_TRUE(*offices[1].released);
}

TEST_F(Batch, OutputNamesDropTheDocumentsExtension)
{
    view.outputFolder += "/";
    view.addRow(path("report.doc"));
    view.addRow(path("report.xls"));
    view.addRow(path("noextension"), false);
    converter.SpeedButton11Click();
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"report.pdf"});
    EXPECT_EQ(ListImages(folder / "report.pdf").size(), 3u);
    EXPECT_EQ(view.statusTexts[1], "Converting  " + folder.path().string() + "/report.doc");
}
