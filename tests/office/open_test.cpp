// Open refuses every file that is not a document of its application, never
// asks anything, and leaves nothing beside the documents it reads.
#include "tests/office/officetesting.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace folivex;
using namespace folivex::testing;
using automation::Variant;

namespace {

std::string openError(const char *progId, const char *collection, const std::string &path)
{
    Variant app = automation::CreateOleObject(progId);
    std::string text = errorText([&] { app.read(collection).call("Open", {path}); });
    app.call("Quit");
    return text;
}

} // namespace

// A host opens one document: once LibreOffice has read a file, whatever it
// made of it, the host opens no other. A path that gave LibreOffice nothing
// to read leaves the host free to open another.
TEST(Open, WordRefusesWhatIsNotAWordDocument)
{
    std::string prefix = "Documents.Open: Cannot open " + fixture("");
    std::string cannot = ": LibreOffice cannot load it (damaged, protected by a password, or not a document)";
    EXPECT_EQ(openError("Word.Application", "Documents", fixture("random.docx")),
              prefix + "random.docx: it is not a Word document (LibreOffice reads it as plain text)");
    EXPECT_EQ(openError("Word.Application", "Documents", fixture("truncated.docx")),
              prefix + "truncated.docx" + cannot);
    EXPECT_EQ(openError("Word.Application", "Documents", fixture("protected.doc")), prefix + "protected.doc" + cannot);
    EXPECT_EQ(openError("Word.Application", "Documents", fixture("sheet-named.docx")),
              prefix + "sheet-named.docx: it is a spreadsheet, not a text document");

    Variant app = automation::CreateOleObject("Word.Application");
    Variant documents = app.read("Documents");
    auto fails = [&](const std::string &file) { return errorText([&] { documents.call("Open", {fixture(file)}); }); };
    EXPECT_EQ(fails("zero.docx"), prefix + "zero.docx: the file is empty");
    EXPECT_EQ(fails("missing.docx"), prefix + "missing.docx: there is no such file");
    // Nothing was opened, and the host still serves.
    EXPECT_EQ(errorText([&] { app.read("ActiveDocument"); }),
              "Application.ActiveDocument: This command is not available because no document is open");
    documents.call("Open", {fixture("letter3.docx")});
    EXPECT_EQ(app.read("Selection").get("Information", {int32_t(4)}).toInt32(), 3);
    EXPECT_EQ(fails("a4margins.docx"), prefix + "a4margins.docx: this host has opened its document already");
    app.call("Quit");
}

TEST(Open, PowerPointAndExcelRefuseOtherKindsAndProtectedFiles)
{
    std::string cannot = ": LibreOffice cannot load it (damaged, protected by a password, or not a document)";
    EXPECT_EQ(openError("Excel.Application", "WorkBooks", fixture("protected.xls")),
              "Workbooks.Open: Cannot open " + fixture("protected.xls") + cannot);
    EXPECT_EQ(openError("Excel.Application", "WorkBooks", fixture("letter3.docx")),
              "Workbooks.Open: Cannot open " + fixture("letter3.docx") + ": it is a text document, not a spreadsheet");
    EXPECT_EQ(openError("PowerPoint.Application", "Presentations", fixture("workbook.xlsx")),
              "Presentations.Open: Cannot open " + fixture("workbook.xlsx") +
                  ": it is a spreadsheet, not a presentation");
    EXPECT_EQ(openError("PowerPoint.Application", "Presentations", fixture("random.docx")),
              "Presentations.Open: Cannot open " + fixture("random.docx") +
                  ": it is not a PowerPoint document (LibreOffice reads it as plain text)");
}

// A template is a document of its kind: LibreOffice opens it as a new,
// untitled document, and each application serves it like any other.
// An application has one document collection, whichever read of it is
// asked: its Count goes from 0 to 1 with the document the host opens, and a
// file that does not open is not counted.
TEST(Open, TheCollectionCountsTheDocumentOpened)
{
    struct Case {
        const char *progId, *collection, *className, *document;
    };
    for (const Case &c : {Case{"Word.Application", "Documents", "Documents", "letter3.docx"},
                          Case{"PowerPoint.Application", "Presentations", "Presentations", "wide16x9.pptx"},
                          Case{"Excel.Application", "WorkBooks", "Workbooks", "workbook.xlsx"}}) {
        Variant app = automation::CreateOleObject(c.progId);
        Variant first = app.read(c.collection);
        EXPECT_EQ(first.read("Count").toInt32(), 0) << c.progId;
        EXPECT_EQ(errorText([&] { first.call("Open", {fixture("missing.docx")}); }),
                  std::string(c.className) + ".Open: Cannot open " + fixture("missing.docx") +
                      ": there is no such file");
        EXPECT_EQ(app.read(c.collection).read("Count").toInt32(), 0) << c.progId << ": a failed open";
        app.read(c.collection).call("Open", {fixture(c.document)});
        EXPECT_EQ(app.read(c.collection).read("Count").toInt32(), 1) << c.progId;
        EXPECT_EQ(first.read("Count").toInt32(), 1) << c.progId << ": the collection read before the open";
        app.call("Quit");
    }
}

TEST(Open, TemplatesOpenAsDocuments)
{
    Variant word = automation::CreateOleObject("Word.Application");
    word.read("Documents").call("Open", {fixture("letter3.dotx")});
    EXPECT_EQ(word.read("Selection").get("Information", {int32_t(4)}).toInt32(), 3);
    word.call("Quit");

    Variant powerpoint = automation::CreateOleObject("PowerPoint.Application");
    powerpoint.read("Presentations").call("Open", {fixture("wide16x9.potx")});
    EXPECT_EQ(powerpoint.read("ActivePresentation").read("Slides").read("Count").toInt32(), 3);
    powerpoint.call("Quit");

    Variant excel = automation::CreateOleObject("Excel.Application");
    excel.read("WorkBooks").call("Open", {fixture("workbook.xltx")});
    EXPECT_EQ(excel.read("Worksheets").read("Count").toInt32(), 3);
    excel.call("Quit");
}

TEST(Open, LeavesNoFileBesideTheDocuments)
{
    const folivex::test::TempFolder folder;
    for (const char *name : {"letter3.docx", "wide16x9.pptx", "workbook.xlsx"})
        std::filesystem::copy_file(fixture(name), folder / name);
    const std::vector<std::string> before = folder.entries();

    Variant word = automation::CreateOleObject("Word.Application");
    word.read("Documents").call("Open", {(folder / "letter3.docx").string()});
    Variant powerpoint = automation::CreateOleObject("PowerPoint.Application");
    powerpoint.read("Presentations").call("Open", {(folder / "wide16x9.pptx").string()});
    Variant excel = automation::CreateOleObject("Excel.Application");
    excel.read("WorkBooks").call("Open", {(folder / "workbook.xlsx").string()});
    copyWordPage(word, 1);
    // While the three documents are open, and after they are closed.
    EXPECT_EQ(folder.entries(), before);
    word.call("Quit");
    powerpoint.call("Quit");
    excel.call("Quit");
    EXPECT_EQ(folder.entries(), before);
}
