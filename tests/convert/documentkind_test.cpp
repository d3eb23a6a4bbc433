// Which application a document goes to: every name the folder scan takes
// reaches its own application, and a name outside the known extensions
// reaches none. Real files in a temporary folder, the real scan.
#include "convert/documentkind.h"
#include "doclist/folderscan.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

#include <map>

using namespace folivex;
using namespace folivex::convert;

namespace {

// The application of the document at `path`, as the conversion starts it; empty for none.
std::string applicationFor(const std::string &path) { return ProgIdOf(DocumentKindOf(LowerCaseExtension(path))); }

const std::map<std::string, std::string> kApplicationOfExtension = {
    {".doc", "Word.Application"},         {".docx", "Word.Application"},        {".docm", "Word.Application"},
    {".dot", "Word.Application"},         {".dotx", "Word.Application"},        {".dotm", "Word.Application"},
    {".ppt", "PowerPoint.Application"},   {".pps", "PowerPoint.Application"},   {".pptx", "PowerPoint.Application"},
    {".ppsx", "PowerPoint.Application"},  {".pptm", "PowerPoint.Application"},  {".ppsm", "PowerPoint.Application"},
    {".pot", "PowerPoint.Application"},   {".potx", "PowerPoint.Application"},  {".potm", "PowerPoint.Application"},
    {".xls", "Excel.Application"},        {".xlsx", "Excel.Application"},       {".xlsm", "Excel.Application"},
    {".xlsb", "Excel.Application"},       {".xlam", "Excel.Application"},
};

} // namespace

TEST(DocumentKind, EveryDocumentTheFolderScanTakesGoesToItsApplication)
{
    test::TempFolder folder;
    for (const auto &[extension, application] : kApplicationOfExtension)
        test::WriteFile(folder / ("document" + extension), "x");
    // Names that must not be taken: a PDF (once sent to PowerPoint for its "p"),
    // a text file, a name without a dot, a known extension that is not the last one.
    for (const char *name : {"report.pdf", "notes.txt", "README", "letter.docx.bak", "slides.odp"})
        test::WriteFile(folder / name, "x");
    test::WriteFile(folder / "LETTER.DOCX", "x");

    std::map<std::string, std::string> scanned;
    for (const doclist::DocumentEntry &entry : doclist::ScanFolder(QString::fromStdString(folder.path().string()))) {
        const std::string path = entry.path.toStdString();
        scanned[path.substr(path.rfind('/') + 1)] = applicationFor(path);
    }

    std::map<std::string, std::string> expected;
    for (const auto &[extension, application] : kApplicationOfExtension)
        expected["document" + extension] = application;
    expected["LETTER.DOCX"] = "Word.Application";
    EXPECT_EQ(scanned, expected);
}

TEST(DocumentKind, ANameOutsideTheKnownExtensionsHasNoKindAndNoApplication)
{
    for (const char *path : {"/docs/report.pdf", "/docs/notes.txt", "/docs/README", "/docs.d/README", "/docs/slides.odp",
                             "/docs/book.xltx", "/docs/letter.docx.bak", "/docs/trailing."}) {
        EXPECT_EQ(DocumentKindOf(LowerCaseExtension(path)), kNoKind) << path;
        EXPECT_EQ(applicationFor(path), "") << path;
    }
    EXPECT_EQ(DocumentKindOf(""), kNoKind);
    EXPECT_EQ(DocumentKindOf("docx"), kNoKind) << "an extension carries its dot";
}

TEST(DocumentKind, LetterCaseOfTheExtensionDoesNotMatter)
{
    EXPECT_EQ(LowerCaseExtension("/Docs/LETTER.DOCX"), ".docx");
    EXPECT_EQ(DocumentKindOf(".DOCX"), kWord);
    EXPECT_EQ(DocumentKindOf(".PpTx"), kPowerPoint);
    EXPECT_EQ(DocumentKindOf(".XLSB"), kExcel);
    EXPECT_EQ(applicationFor("/Docs/LETTER.DOCX"), "Word.Application");
}
