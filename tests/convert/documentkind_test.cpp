// Which application a document goes to: the table of document kinds against
// the extensions, identifiers and names Word, PowerPoint and Excel have, and
// the folder scan, the command line's folder walk and the open dialog
// against the table. Real files in a temporary folder, the real scans.
#include "cli/documentinputs.h"
#include "core/documentkind.h"
#include "doclist/folderscan.h"
#include "doclist/opendocumentsdialog.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace folivex;

namespace {

// The application of the document at `path`, as the conversion starts it; empty for none.
std::string applicationFor(const std::string &path)
{
    const std::optional<DocumentKind> kind = DocumentKindOf(LowerCaseExtension(path));
    return kind ? std::string(FactsOf(*kind).progId) : std::string();
}

const std::map<std::string, std::string> kApplicationOfExtension = {
    {".doc", "Word.Application"},        {".docx", "Word.Application"},       {".docm", "Word.Application"},
    {".dot", "Word.Application"},        {".dotx", "Word.Application"},       {".dotm", "Word.Application"},
    {".ppt", "PowerPoint.Application"},  {".pps", "PowerPoint.Application"},  {".pptx", "PowerPoint.Application"},
    {".ppsx", "PowerPoint.Application"}, {".pptm", "PowerPoint.Application"}, {".ppsm", "PowerPoint.Application"},
    {".pot", "PowerPoint.Application"},  {".potx", "PowerPoint.Application"}, {".potm", "PowerPoint.Application"},
    {".xls", "Excel.Application"},       {".xlsx", "Excel.Application"},      {".xlsm", "Excel.Application"},
    {".xlsb", "Excel.Application"},      {".xlam", "Excel.Application"},
};

std::string nameOf(const std::string &path)
{
    return path.substr(path.rfind('/') + 1);
}

} // namespace

TEST(DocumentKind, EveryRowOfTheTableNamesItsKindOneWay)
{
    std::map<std::string, std::string> tabled;
    for (const DocumentKindFacts &facts : DocumentKinds()) {
        const std::string application(facts.application);
        EXPECT_EQ(&FactsOf(facts.kind), &facts) << application;
        EXPECT_EQ(facts.progId, application + ".Application");
        EXPECT_EQ(DocumentKindNamed(facts.application), facts.kind) << application;
        EXPECT_EQ(DocumentKindOfProgId(facts.progId), facts.kind) << application;
        for (std::string_view extension : facts.extensions) {
            EXPECT_TRUE(tabled.emplace(extension, facts.progId).second) << extension << " is in two rows";
            EXPECT_EQ(DocumentKindOf(extension), facts.kind) << extension;
        }
    }
    EXPECT_EQ(tabled, kApplicationOfExtension);
    EXPECT_EQ(KindCode(DocumentKind::Word), 1);
    EXPECT_EQ(KindCode(DocumentKind::PowerPoint), 2);
    EXPECT_EQ(KindCode(DocumentKind::Excel), 3);
}

TEST(DocumentKind, ApplicationsAreKnownByTheirOwnNamesAndIdentifiersOnly)
{
    EXPECT_EQ(DocumentKindOfProgId("word.application"), DocumentKind::Word);
    EXPECT_EQ(DocumentKindOfProgId("POWERPOINT.APPLICATION"), DocumentKind::PowerPoint);
    EXPECT_EQ(DocumentKindOfProgId("Visio.Application"), std::nullopt);
    EXPECT_EQ(DocumentKindOfProgId("Word"), std::nullopt);
    EXPECT_EQ(DocumentKindNamed("Excel"), DocumentKind::Excel);
    EXPECT_EQ(DocumentKindNamed("excel"), std::nullopt) << "the host is started with the name as the table spells it";
    EXPECT_EQ(DocumentKindNamed("Writer"), std::nullopt);
    EXPECT_EQ(FailedToConnectText(DocumentKind::Word), "Failed to connect Word. Please install LibreOffice Writer.");
    EXPECT_EQ(FailedToConnectText(DocumentKind::PowerPoint),
              "Failed to connect PowerPoint. Please install LibreOffice Impress.");
    EXPECT_EQ(FailedToConnectText(DocumentKind::Excel), "Failed to connect Excel. Please install LibreOffice Calc.");
}

TEST(DocumentKind, TheFolderScansTakeExactlyTheTablesExtensionsInAnyCase)
{
    test::TempFolder folder;
    for (const auto &[extension, application] : kApplicationOfExtension)
        test::WriteFile(folder / ("document" + extension), "x");
    // Names that must not be taken: a PDF (once sent to PowerPoint for its "p"),
    // a text file, a name without a dot, a known extension that is not the last one.
    for (const char *name : {"report.pdf", "notes.txt", "README", "letter.docx.bak", "slides.odp"})
        test::WriteFile(folder / name, "x");
    test::WriteFile(folder / "LETTER.DOCX", "x");

    std::map<std::string, std::string> expected;
    for (const auto &[extension, application] : kApplicationOfExtension)
        expected["document" + extension] = application;
    expected["LETTER.DOCX"] = "Word.Application";

    std::map<std::string, std::string> scanned;
    for (const doclist::DocumentEntry &entry : doclist::ScanFolder(QString::fromStdString(folder.path().string())))
        scanned[nameOf(entry.path.toStdString())] = applicationFor(entry.path.toStdString());
    EXPECT_EQ(scanned, expected) << "the window's Add folder";

    std::map<std::string, std::string> collected;
    for (const cli::DocumentInput &input : cli::CollectDocuments({folder.path().string()}, false)) {
        EXPECT_EQ(input.problem, "") << input.path;
        collected[nameOf(input.path)] = applicationFor(input.path);
    }
    EXPECT_EQ(collected, expected) << "the command line's folder";
}

TEST(DocumentKind, TheOpenDialogListsEachKindsExtensionsInTheTablesOrder)
{
    std::map<DocumentKind, QString> patterns;
    for (const DocumentKindFacts &facts : DocumentKinds()) {
        QStringList each;
        for (std::string_view extension : facts.extensions)
            each.append("*" + QString::fromStdString(std::string(extension)));
        patterns[facts.kind] = each.join(' ');
    }
    const QString &word = patterns[DocumentKind::Word];
    const QString &powerPoint = patterns[DocumentKind::PowerPoint];
    const QString &excel = patterns[DocumentKind::Excel];
    EXPECT_EQ(word, "*.doc *.docx *.docm *.dot *.dotx *.dotm");
    EXPECT_EQ(doclist::DocumentNameFilters(),
              QStringList({"All Office Presentations (" + word + " " + powerPoint + " " + excel + ")",
                           "All Word Presentations (" + word + ")", "All PowerPoint Presentations (" + powerPoint + ")",
                           "All Excel Presentations (" + excel + ")"}));
}

TEST(DocumentKind, ANameOutsideTheKnownExtensionsHasNoKindAndNoApplication)
{
    for (const char *path : {"/docs/report.pdf", "/docs/notes.txt", "/docs/README", "/docs.d/README",
                             "/docs/slides.odp", "/docs/book.xltx", "/docs/letter.docx.bak", "/docs/trailing."}) {
        EXPECT_EQ(DocumentKindOf(LowerCaseExtension(path)), std::nullopt) << path;
        EXPECT_EQ(applicationFor(path), "") << path;
    }
    EXPECT_EQ(DocumentKindOf(""), std::nullopt);
    EXPECT_EQ(DocumentKindOf("docx"), std::nullopt) << "an extension carries its dot";
}

TEST(DocumentKind, LetterCaseOfTheExtensionDoesNotMatter)
{
    EXPECT_EQ(LowerCaseExtension("/Docs/LETTER.DOCX"), ".docx");
    EXPECT_EQ(DocumentKindOf(".DOCX"), DocumentKind::Word);
    EXPECT_EQ(DocumentKindOf(".PpTx"), DocumentKind::PowerPoint);
    EXPECT_EQ(DocumentKindOf(".XLSB"), DocumentKind::Excel);
    EXPECT_EQ(applicationFor("/Docs/LETTER.DOCX"), "Word.Application");
}
