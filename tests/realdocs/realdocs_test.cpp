// folivex --convert over real Office documents, saved by Word, PowerPoint and
// Excel over thirty years (and a few by other programs): every document
// LibreOffice loads becomes a valid PDF of its pages, with ink where
// LibreOffice's own export has ink; every encrypted or damaged one fails with
// its message and leaves nothing behind.
#include "tests/support/testsupport.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

using namespace folivex::test;
namespace fs = std::filesystem;

namespace {

const fs::path kCorpus = FOLIVEX_REALDOCS;
const fs::path kReference = FOLIVEX_REALDOCS_REF;

struct RealDocument {
    std::string path; // <format>/<file>
    std::string notes;
    int referencePages = 0; // LibreOffice's own PDF; 0 when it cannot load the file
};

std::vector<RealDocument> manifest()
{
    std::vector<RealDocument> documents;
    std::ifstream in(kCorpus / "MANIFEST.tsv");
    std::string line;
    std::getline(in, line); // the header
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::stringstream row(line);
        for (std::string field; std::getline(row, field, '\t');)
            fields.push_back(field);
        if (fields.size() < 6)
            continue;
        documents.push_back({fields[0], fields[4], fields.back() == "-" ? 0 : std::stoi(fields.back())});
    }
    return documents;
}

std::string formatOf(const std::string &path)
{
    return path.substr(0, path.find('/'));
}
std::string stemOf(const std::string &path)
{
    return fs::path(path).stem().string();
}
bool isText(const std::string &format)
{
    return format == "doc" || format == "docx";
}
bool isSlides(const std::string &format)
{
    return format == "ppt" || format == "pptx";
}

// Slides that LibreOffice's export leaves out and Folivex converts.
int hiddenSlides(const RealDocument &document)
{
    std::smatch match;
    return std::regex_search(document.notes, match, std::regex("hidden slides=([0-9]+)")) ? std::stoi(match[1]) : 0;
}

// Documents that LibreOfficeKit lays out differently from LibreOffice's own
// export, with the count it gives. poi_stress010 (Arabic, footnotes): a
// LibreOfficeKit process, whether it loads by documentLoad or by UNO, lays it
// out on one page more, and LibreOffice's own PDF filter exports that
// layout there as well.
const std::map<std::string, int> kLibreOfficeKitPages = {{"docx/poi_stress010.docx", 181}};

// A workbook's worksheets as its notes count them ("sheets=N",
// "chartsheets=M": N sheets, M of them chart sheets); 0 when they do not.
int worksheets(const RealDocument &document)
{
    std::smatch sheets, charts;
    if (!std::regex_search(document.notes, sheets, std::regex("[^t]sheets=([0-9]+)")))
        return 0;
    const int chartSheets =
        std::regex_search(document.notes, charts, std::regex("chartsheets=([0-9]+)")) ? std::stoi(charts[1]) : 0;
    return std::stoi(sheets[1]) - chartSheets;
}

int expectedPages(const RealDocument &document)
{
    if (auto known = kLibreOfficeKitPages.find(document.path); known != kLibreOfficeKitPages.end())
        return known->second;
    return document.referencePages + hiddenSlides(document);
}

std::string quoted(const fs::path &path)
{
    return "'" + path.string() + "'";
}

int pageCount(const fs::path &pdf)
{
    const CommandResult info = RunCommand("pdfinfo " + quoted(pdf) + " 2>/dev/null");
    std::smatch match;
    return std::regex_search(info.output, match, std::regex("Pages:\\s+([0-9]+)")) ? std::stoi(match[1]) : -1;
}

// The ink of pages 1..last of `pdf` rendered at 12 dpi, page by page: the
// sum over the pixels of how far each is from white, so faint small text
// counts for what it is.
std::vector<long> inkOfPages(const fs::path &pdf, int last, const fs::path &folder, const std::string &name)
{
    const fs::path prefix = folder / name;
    RunCommand("pdftoppm -gray -r 12 -f 1 -l " + std::to_string(last) + " " + quoted(pdf) + " " + quoted(prefix));
    std::vector<long> ink;
    for (int page = 1; page <= last; ++page) {
        QImage image;
        for (const char *digits : {"%d", "%02d", "%03d"}) {
            char number[16];
            std::snprintf(number, sizeof number, digits, page);
            if (image.load(QString::fromStdString(prefix.string() + "-" + number + ".pgm")))
                break;
        }
        long mass = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                mass += 255 - qGray(image.pixel(x, y));
        ink.push_back(mass);
    }
    return ink;
}

class LoadableDocuments : public ::testing::TestWithParam<std::string> {};
class RefusedDocuments : public ::testing::TestWithParam<std::string> {};

} // namespace

// All the documents of one format in one command line: a failure of one
// would end the batch for the rest, and show.
TEST_P(LoadableDocuments, BecomeValidPdfsOfTheirPagesWithInkWhereLibreOfficeHasInk)
{
    const std::string format = GetParam();
    std::vector<RealDocument> documents;
    std::string arguments;
    for (const RealDocument &document : manifest())
        if (formatOf(document.path) == format && document.referencePages > 0) {
            documents.push_back(document);
            arguments += " " + quoted(kCorpus / document.path);
        }
    ASSERT_FALSE(documents.empty());
    TempFolder out, renders;
    const CommandResult run = RunCommand(std::string(FOLIVEX_EXECUTABLE) + " --convert" + arguments + " --output " +
                                         quoted(out.path()) + " 2>&1");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("Congratulation: Successed!"), std::string::npos) << run.output;

    for (const RealDocument &document : documents) {
        SCOPED_TRACE(document.path);
        const fs::path pdf = out / (stemOf(document.path) + ".pdf");
        ASSERT_TRUE(fs::exists(pdf));
        EXPECT_EQ(QpdfProblems(pdf), "");
        const int pages = pageCount(pdf);
        if (isText(format) || isSlides(format)) {
            EXPECT_EQ(pages, expectedPages(document));
        } else if (const int sheets = worksheets(document); sheets > 0) {
            EXPECT_EQ(pages, sheets) << "one page a worksheet, none a chart sheet";
        } else {
            EXPECT_GE(pages, 1) << "one page a worksheet";
        }
        EXPECT_EQ(int(ListImages(pdf).size()), pages) << "one image a page";

        // Page by page against LibreOffice's own export, where the pages
        // are the same pages.
        if (!(isText(format) || isSlides(format)) || pages != document.referencePages)
            continue;
        const int compared = std::min(pages, 3);
        const std::string stem = stemOf(document.path);
        const std::vector<long> ours = inkOfPages(pdf, compared, renders.path(), stem + "-ours");
        const std::vector<long> theirs =
            inkOfPages(kReference / format / (stem + ".pdf"), compared, renders.path(), stem + "-reference");
        for (int page = 0; page < compared; ++page) {
            if (theirs[page] > 2000) {
                EXPECT_GT(ours[page], theirs[page] / 4) << "page " << page + 1 << " is blank where LibreOffice has ink";
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, LoadableDocuments, ::testing::Values("doc", "docx", "ppt", "pptx", "xls", "xlsx"));

// One at a time: each ends its batch, with one line that names it and says
// why: an encrypted document (the manifest's notes say ENCRYPTED) is
// protected by a password, a damaged one cannot be loaded.
TEST_P(RefusedDocuments, FailWithTheirMessageAndLeaveNothing)
{
    const std::string path = GetParam();
    TempFolder out;
    const CommandResult run = RunCommand(std::string(FOLIVEX_EXECUTABLE) + " --convert --quiet " +
                                         quoted(kCorpus / path) + " --output " + quoted(out.path()) + " 2>&1");
    EXPECT_EQ(run.exitCode, 1) << run.output;
    const std::string format = formatOf(path);
    const std::string message = isText(format)     ? "Failed to open the word document."
                                : isSlides(format) ? "Failed to open the ppt file."
                                                   : "Failed to open the Excel document.";
    EXPECT_EQ(run.output.rfind("folivex: " + (kCorpus / path).string() + ": " + message, 0), 0u) << run.output;
    EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
    bool encrypted = false;
    for (const RealDocument &document : manifest())
        if (document.path == path)
            encrypted = document.notes.rfind("ENCRYPTED", 0) == 0;
    EXPECT_NE(run.output.find(encrypted ? "(LibreOffice: it is protected by a password)\n"
                                        : "(LibreOffice: LibreOffice cannot load it"),
              std::string::npos)
        << run.output;
    EXPECT_TRUE(out.entries().empty()) << "no PDF and no temporary file";
}

std::vector<std::string> refusedPaths()
{
    std::vector<std::string> paths;
    for (const RealDocument &document : manifest())
        if (document.referencePages == 0)
            paths.push_back(document.path);
    return paths;
}

INSTANTIATE_TEST_SUITE_P(Corpus, RefusedDocuments, ::testing::ValuesIn(refusedPaths()),
                         [](const ::testing::TestParamInfo<std::string> &info) {
                             std::string name = info.param;
                             for (char &c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

// The longest real text document, converted with a render worker drawing
// every other page, gives the very bytes of the host alone. Writer lays a
// document out as it draws it; unless the layout is complete before the
// first page, a page drawn by the worker, which has not drawn the one
// before, can start a few words off.
TEST(RenderWorkerOnRealDocuments, TheLongestTextDocumentIsTheSameBytesWithAWorker)
{
    const std::vector<RealDocument> documents = manifest();
    const RealDocument *longest = nullptr;
    for (const RealDocument &document : documents)
        if (isText(formatOf(document.path)) && (!longest || document.referencePages > longest->referencePages))
            longest = &document;
    ASSERT_NE(longest, nullptr);
    const fs::path input = kCorpus / longest->path;
    TempFolder profiles, warmUp, alone, helped;
    auto convert = [&](const TempFolder &out, bool worker) {
        return RunCommand("FOLIVEX_PROFILE_DIR=" + quoted(profiles.path()) +
                          " FOLIVEX_RENDER_WORKER=" + (worker ? "1" : "0") +
                          " FOLIVEX_OFFICE_LOG=" + quoted(out / "host.log") + " " + FOLIVEX_EXECUTABLE +
                          " --convert --jobs 1 " + quoted(input) + " --output " + quoted(out.path()) + " 2>&1");
    };
    // Once before, so that the worker's profile has loaded such a document.
    convert(warmUp, true);
    const CommandResult first = convert(alone, false);
    ASSERT_EQ(first.exitCode, 0) << first.output;
    const CommandResult second = convert(helped, true);
    ASSERT_EQ(second.exitCode, 0) << second.output;
    const std::string log = ReadFile(helped / "host.log");
    ASSERT_NE(log.find("the render worker drew "), std::string::npos) << log;
    EXPECT_EQ(log.find("the render worker drew 0 "), std::string::npos) << log;
    const std::string pdf = stemOf(longest->path) + ".pdf";
    EXPECT_TRUE(ReadFile(alone / pdf) == ReadFile(helped / pdf)) << longest->path << ": the PDFs differ";
}
