// folivex --convert end to end: real LibreOffice documents of all six
// formats through the real Office hosts into PDFs that PDF tools accept.
#include "core/version.h"
#include "tests/cli/runtesting.h"
#include "tests/support/testsupport.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <regex>
#include <thread>
#include <sys/wait.h>
#include <unistd.h>

using namespace folivex::test;
namespace fs = std::filesystem;

namespace {

CommandResult runFolivex(const std::string &arguments)
{
    return RunCommand(kFolivex + " " + arguments);
}

std::vector<std::pair<int, int>> imageSizes(const fs::path &pdf)
{
    std::vector<std::pair<int, int>> sizes;
    for (const ListedImage &image : ListImages(pdf))
        sizes.emplace_back(image.width, image.height);
    return sizes;
}

// The share of a rendered page's pixels that are not near white.
double inkOf(const fs::path &pdf, int page, const TempFolder &folder)
{
    const fs::path prefix = folder / ("render" + std::to_string(page));
    const CommandResult rendered =
        RunCommand("pdftoppm -r 36 -png -f " + std::to_string(page) + " -l " + std::to_string(page) + " -singlefile " +
                   quoted(pdf) + " " + quoted(prefix));
    if (rendered.exitCode != 0)
        return -1;
    const QImage image(QString::fromStdString(prefix.string() + ".png"));
    long dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 200;
    return double(dark) / (image.width() * image.height());
}

using Sizes = std::vector<std::pair<int, int>>;

} // namespace

TEST(ConvertCommand, HelpAndVersionAnswerWithoutAWindow)
{
    // --help prints the usage text that the manual page is made from, as it stands.
    const std::string usage = ReadFile(FOLIVEX_USAGE_TEXT);
    const CommandResult help = runFolivex("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.output, usage);

    const CommandResult version = runFolivex("--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.output.rfind("folivex " FOLIVEX_VERSION "\nDocument protections: ", 0), 0u) << version.output;
    EXPECT_TRUE(std::regex_match(version.output,
                                 std::regex("folivex [0-9]+\\.[0-9]+\\.[0-9]+\nDocument protections: [^\n]+\n")))
        << version.output;

    const CommandResult wrong = runFolivex("--version --bogus");
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_EQ(wrong.output, "folivex: unknown option --bogus\n\n" + usage);
}

TEST(ConvertCommand, OfficeOpenXmlDocumentsBecomePdfsOfTheirPageGeometry)
{
    TempFolder out;
    const CommandResult run =
        runFolivex("--convert " + quoted(kFixtures / "letter3.docx") + " " + quoted(kFixtures / "wide16x9.pptx") + " " +
                   quoted(kFixtures / "a4margins.docx") + " --output " + quoted(out.path()));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("Congratulation: Successed!"), std::string::npos) << run.output;
    EXPECT_EQ(out.entries(), (std::vector<std::string>{"a4margins.pdf", "letter3.pdf", "wide16x9.pdf"}));
    for (const std::string &name : out.entries())
        EXPECT_EQ(QpdfProblems(out / name), "") << name;
    // Letter with 72 pt margins: 612 x 792 framed to 756 x 936.
    EXPECT_EQ(imageSizes(out / "letter3.pdf"), Sizes(3, {756, 936}));
    // A4 (595 x 842) with margins 36, 54, 90, 108.
    EXPECT_EQ(imageSizes(out / "a4margins.pdf"), Sizes(2, {685, 1040}));
    // 16:9 slides of 960 x 540 points, no margins.
    EXPECT_EQ(imageSizes(out / "wide16x9.pdf"), Sizes(3, {960, 540}));
    for (int page = 1; page <= 3; ++page) {
        EXPECT_GT(inkOf(out / "letter3.pdf", page, out), 0.0003) << "page " << page << " has ink";
        EXPECT_LT(inkOf(out / "letter3.pdf", page, out), 0.6) << "page " << page << " is mostly paper";
    }
}

TEST(ConvertCommand, BinaryOfficeFormatsAndHalfSize)
{
    TempFolder out;
    const CommandResult run =
        runFolivex("--convert " + quoted(kFixtures / "letter3.doc") + " " + quoted(kFixtures / "classic4x3.ppt") + " " +
                   quoted(kFixtures / "workbook.xls") + " --size 50 --output " + quoted(out.path()));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(imageSizes(out / "letter3.pdf"), Sizes(3, {450, 540})) << "margins are not scaled";
    EXPECT_EQ(imageSizes(out / "classic4x3.pdf"), Sizes(2, {360, 270}));
    const Sizes sheets = imageSizes(out / "workbook.pdf");
    EXPECT_EQ(sheets.size(), 3u) << "one image per worksheet";
    for (const std::string &name : out.entries())
        EXPECT_EQ(QpdfProblems(out / name), "") << name;
}

TEST(ConvertCommand, WorksheetsAreTheirUsedRangeFramedByTheMargins)
{
    TempFolder full, half;
    ASSERT_EQ(
        runFolivex("--convert " + quoted(kFixtures / "workbook.xlsx") + " --output " + quoted(full.path())).exitCode,
        0);
    ASSERT_EQ(
        runFolivex("--convert " + quoted(kFixtures / "workbook.xlsx") + " --size 50 --output " + quoted(half.path()))
            .exitCode,
        0);
    const Sizes at100 = imageSizes(full / "workbook.pdf");
    const Sizes at50 = imageSizes(half / "workbook.pdf");
    ASSERT_EQ(at100.size(), 3u);
    ASSERT_EQ(at50.size(), 3u);
    // Margins of 36 pt left and right, 54 pt top and bottom, unscaled.
    for (std::size_t sheet = 0; sheet < 3; ++sheet) {
        const int usedWidth = at100[sheet].first - 72, usedHeight = at100[sheet].second - 108;
        EXPECT_GT(usedWidth, 0);
        EXPECT_NEAR(at50[sheet].first - 72, usedWidth / 2.0, 1.0) << "sheet " << sheet;
        EXPECT_NEAR(at50[sheet].second - 108, usedHeight / 2.0, 1.0) << "sheet " << sheet;
    }
}

// drawings.xlsx: the chart beside the data and the chart-only worksheet are
// on their pages, inside the margins (36 pt left and right, 54 pt top and
// bottom); the chart sheet has no page.
TEST(ConvertCommand, WorksheetPagesHoldTheirChartsAndChartSheetsHaveNone)
{
    TempFolder out;
    ASSERT_EQ(
        runFolivex("--convert " + quoted(kFixtures / "drawings.xlsx") + " --output " + quoted(out.path())).exitCode, 0);
    const Sizes sizes = imageSizes(out / "drawings.pdf");
    ASSERT_EQ(sizes.size(), 3u) << "Beside, ChartOnly, Shape";
    EXPECT_EQ(sizes[0], std::make_pair(504 + 72, 162 + 108));
    EXPECT_EQ(sizes[1], std::make_pair(288 + 72, 180 + 108));
    EXPECT_EQ(sizes[2].second, 126 + 108);
    // The chart-only page has ink: the chart's bars fill a good share of it.
    EXPECT_GT(inkOf(out / "drawings.pdf", 2, out), 0.01);
}

// A used range of 25600 x 14080 points, over a gigabyte as one bitmap, is
// drawn and encoded in bands: the page is there at its full size, with ink
// where the sheet has text, in both the first and the last band.
TEST(ConvertCommand, AWorksheetTooBigToHoldWholeIsWrittenInBands)
{
    TempFolder out;
    const CommandResult run =
        runFolivex("--convert " + quoted(kFixtures / "bigsheet.xlsx") + " --output " + quoted(out.path()));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(QpdfProblems(out / "bigsheet.pdf"), "");
    const Sizes sizes = imageSizes(out / "bigsheet.pdf");
    ASSERT_EQ(sizes.size(), 1u);
    // Calc's default page style: 0.79 in margins, a header and a footer.
    EXPECT_EQ(sizes[0], std::make_pair(25600 + 57 + 57, 14080 + 76 + 76));
    auto inkIn = [&](int x, int y, int w, int h) {
        const fs::path prefix = out / "crop";
        RunCommand("pdftoppm -gray -r 72 -x " + std::to_string(x) + " -y " + std::to_string(y) + " -W " +
                   std::to_string(w) + " -H " + std::to_string(h) + " -singlefile " + quoted(out / "bigsheet.pdf") +
                   " " + quoted(prefix));
        const QImage crop(QString::fromStdString(prefix.string() + ".pgm"));
        int dark = 0;
        for (int row = 0; row < crop.height(); ++row)
            for (int col = 0; col < crop.width(); ++col)
                dark += qGray(crop.pixel(col, row)) < 160;
        return dark;
    };
    EXPECT_GT(inkIn(57, 76, 64, 13), 10) << "TOP LEFT, in the first band";
    // The label of row 1000, column 363, drawn where Calc's screen layout
    // puts it (its rows are whole pixels, so it sits a little higher).
    EXPECT_GT(inkIn(57 + 22000, 76 + 11500, 2000, 1400), 10) << "a label in a late band";
}

// report.doc and report.xls would both write report.pdf: the later one keeps
// its extension in its PDF's name, and the run says so.
TEST(ConvertCommand, TwoDocumentsOfOneNameKeepBothPdfs)
{
    TempFolder in, out;
    fs::copy_file(kFixtures / "letter3.doc", in / "report.doc");
    fs::copy_file(kFixtures / "workbook.xls", in / "report.xls");
    const CommandResult run = runFolivex("--convert " + quoted(in / "report.doc") + " " + quoted(in / "report.xls") +
                                         " --output " + quoted(fs::path(out.path().string() + "/")) + " 2>&1");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("Converting  " + (out / "report.doc").string() + "\n"), std::string::npos)
        << "no doubled separator: " << run.output;
    EXPECT_NE(run.output.find("folivex: " + (in / "report.xls").string() + " is written as " +
                              (out / "report.xls.pdf").string() + ": an earlier document's PDF has its name\n"),
              std::string::npos)
        << run.output;
    EXPECT_EQ(out.entries(), (std::vector<std::string>{"report.pdf", "report.xls.pdf"}));
    EXPECT_EQ(imageSizes(out / "report.pdf"), Sizes(3, {756, 936})) << "the letter's three pages";
    EXPECT_EQ(imageSizes(out / "report.xls.pdf").size(), 3u) << "the workbook's three sheets";
    EXPECT_EQ(in.entries(), (std::vector<std::string>{"report.doc", "report.xls"})) << "nothing beside the inputs";
}

// On a terminal the bar follows the pages as they are captured: it rises
// through the document before the PDF is written.
TEST(ConvertCommand, TheBarOnATerminalFollowsThePagesCaptured)
{
    TempFolder out;
    // script(1) gives the program a terminal of its own.
    const CommandResult run =
        RunCommand("script -qec \"" + std::string(FOLIVEX_EXECUTABLE) + " --convert " +
                   quoted(kFixtures / "big100.docx") + " --jobs 1 --output " + quoted(out.path()) + "\" /dev/null");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    std::vector<int> shown;
    const std::regex bar("\\[[#.]{40}\\] *([0-9]+)%");
    for (std::sregex_iterator it(run.output.begin(), run.output.end(), bar), end; it != end; ++it)
        shown.push_back(std::stoi((*it)[1]));
    const auto full = std::find(shown.begin(), shown.end(), 100);
    ASSERT_NE(full, shown.end()) << run.output;
    EXPECT_GE(std::distance(shown.begin(), full), 10) << "the capture of 100 pages moves the bar many times";
    EXPECT_TRUE(std::is_sorted(shown.begin(), full + 1));
    EXPECT_EQ(imageSizes(out / "big100.pdf").size(), 100u);
}

TEST(ConvertCommand, AFolderIsConvertedAsAddFolderScansIt)
{
    TempFolder in, out;
    fs::copy_file(kFixtures / "letter3.docx", in / "A.DOCX");
    fs::copy_file(kFixtures / "classic4x3.pptx", in / "b.pptx");
    fs::copy_file(kFixtures / "workbook.xls", in / "Größe #1 – 50%.xls"); // a name a URL must escape
    WriteFile(in / "notes.txt", "not an Office document");
    fs::create_directory(in / "sub");
    fs::copy_file(kFixtures / "workbook.xlsx", in / "sub" / "c.xlsx");
    const CommandResult run = runFolivex("--convert " + quoted(in.path()) + " --output " + quoted(out.path()));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(out.entries(), (std::vector<std::string>{"A.pdf", "Größe #1 – 50%.pdf", "b.pdf"}));
    EXPECT_EQ(ListImages(out / "Größe #1 – 50%.pdf").size(), 3u);
}

TEST(ConvertCommand, DocumentsWithoutAPdfAreNamedAndFailTheRun)
{
    TempFolder out;
    const CommandResult broken =
        runFolivex("--convert " + quoted(kFixtures / "random.docx") + " " + quoted(kFixtures / "letter3.docx") +
                   " --output " + quoted(out.path()) + " 2>&1");
    EXPECT_EQ(broken.exitCode, 1);
    // One line, the file and the reason.
    EXPECT_NE(broken.output.find("folivex: " + (kFixtures / "random.docx").string() +
                                 ": Failed to open the word document. If the Word version is below 2007, "
                                 "please update it. (LibreOffice: it is not a Word document (LibreOffice reads it "
                                 "as plain text))\n"),
              std::string::npos)
        << broken.output;
    EXPECT_EQ(broken.output.find("Failed to open the word document"),
              broken.output.rfind("Failed to open the word document"))
        << "said once: " << broken.output;
    EXPECT_EQ(broken.output.find("Successed!"), std::string::npos);
    EXPECT_EQ(out.entries(), std::vector<std::string>{"letter3.pdf"}) << "the run goes on after a failure";
    fs::remove(out / "letter3.pdf");

    // As the window's batch: the failure to open ends it.
    const CommandResult stopping =
        runFolivex("--stop-on-error --convert " + quoted(kFixtures / "random.docx") + " " +
                   quoted(kFixtures / "letter3.docx") + " --output " + quoted(out.path()) + " 2>&1");
    EXPECT_EQ(stopping.exitCode, 1);
    EXPECT_NE(stopping.output.find("folivex: " + (kFixtures / "letter3.docx").string() + ": the batch ended before it"),
              std::string::npos)
        << stopping.output;
    EXPECT_TRUE(out.entries().empty());

    // A plain number whatever the locale: under German, 55.5 is still 55.5%.
    const CommandResult german =
        RunCommand("LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 " + std::string(FOLIVEX_EXECUTABLE) + " --convert " +
                   quoted(kFixtures / "letter3.docx") + " --size 55.5 --output " + quoted(out.path()));
    EXPECT_EQ(german.exitCode, 0) << german.output;
    EXPECT_EQ(imageSizes(out / "letter3.pdf").front(), std::make_pair(340 + 144, 440 + 144));
    fs::remove(out / "letter3.pdf");

    const CommandResult usage = runFolivex("--convert");
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_NE(usage.output.find("--convert needs at least one file or folder"), std::string::npos);
    const CommandResult size =
        runFolivex("--convert " + quoted(kFixtures / "letter3.docx") + " --size big --output " + quoted(out.path()));
    EXPECT_EQ(size.exitCode, 1);
    EXPECT_NE(size.output.find("'big' is not a valid floating point value"), std::string::npos) << size.output;
}

// A report that cannot be made ends the run before any document: the file
// and the system's reason on one line.
TEST(ConvertCommand, AReportThatCannotBeMadeFailsTheRun)
{
    TempFolder out;
    const fs::path report = out / "no such folder" / "r.jsonl";
    const CommandResult run = runFolivex("--convert " + quoted(kFixtures / "letter3.docx") + " --output " +
                                         quoted(out.path()) + " --report " + quoted(report) + " 2>&1");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.output, "folivex: " + report.string() + ": Cannot write the report: No such file or directory\n");
    EXPECT_TRUE(out.entries().empty());
}

TEST(ConvertCommand, InterruptingAbandonsTheDocumentAndKeepsTheOlderPdf)
{
    TempFolder out;
    WriteFile(out / "long1000.pdf", "older");
    const pid_t child = StartQuietly(
        FOLIVEX_EXECUTABLE, {"--convert", (kFixtures / "long1000.docx").string(), "--output", out.path().string()});
    ASSERT_GE(child, 0);
    // Press Ctrl-C in the middle of the document: once the PDF is being
    // written (its temporary file exists), or three seconds in, among its pages,
    // whichever comes first; the document takes several seconds.
    const auto writing = [&] {
        for (const auto &entry : fs::directory_iterator(out.path()))
            if (entry.path().extension() == ".part")
                return true;
        return false;
    };
    for (int wait = 0; wait < 600 && !writing(); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    kill(child, SIGINT);
    EXPECT_EQ(exitCodeOf(child), 130);
    EXPECT_EQ(out.entries(), std::vector<std::string>{"long1000.pdf"}) << "no partial file";
    EXPECT_EQ(ReadFile(out / "long1000.pdf"), "older");
}

// LibreOffice would ask GnuPG for its version on every load, to check
// signatures a rendering never shows; the hosts find no GnuPG to ask.
TEST(ConvertCommand, OpeningADocumentStartsNoGnuPG)
{
    TempFolder out;
    const fs::path tools = out / "tools";
    fs::create_directories(tools);
    for (const char *program : {"gpgconf", "gpg", "gpgsm", "gpg2"}) {
        WriteFile(tools / program, "#!/bin/sh\necho \"$0 $*\" >> '" + (out / "asked").string() + "'\n");
        fs::permissions(tools / program, fs::perms::owner_all);
    }
    const CommandResult result = RunCommand("PATH='" + tools.string() + "':\"$PATH\" " +
                                            std::string(FOLIVEX_EXECUTABLE) + " --convert --jobs 1 --output '" +
                                            out.path().string() + "' '" + (kFixtures / "letter3.docx").string() + "'");
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_TRUE(fs::exists(out / "letter3.pdf"));
    EXPECT_FALSE(fs::exists(out / "asked")) << ReadFile(out / "asked");
}

// A host that quits deletes what LibreOffice wrote into its temporary
// folder (beside the host's profile) with the copy of the document, and
// nothing goes to the user's temporary folder: a batch leaves nothing behind
// and nothing grows from run to run.
TEST(ConvertCommand, HostsLeaveNoTemporaryFiles)
{
    TempFolder out;
    const fs::path temporary = out / "tmp";
    const fs::path profiles = out / "profiles";
    fs::create_directories(temporary);
    const std::string command =
        "FOLIVEX_RENDER_WORKER=0 TMPDIR='" + temporary.string() + "' FOLIVEX_PROFILE_DIR='" + profiles.string() + "' " +
        std::string(FOLIVEX_EXECUTABLE) + " --convert --jobs 1 --output '" + out.path().string() + "' '" +
        (kFixtures / "letter3.docx").string() + "' '" + (kFixtures / "classic4x3.pptx").string() + "'";
    // What the profiles' temporary folders hold, one name a line.
    auto leftInProfiles = [&] {
        std::string left;
        for (const auto &slot : fs::directory_iterator(profiles))
            if (slot.path().extension() == ".tmp")
                for (const auto &entry : fs::recursive_directory_iterator(slot.path()))
                    left += entry.path().string() + "\n";
        return left;
    };
    for (int run = 1; run <= 2; ++run) {
        CommandResult result = RunCommand(command);
        ASSERT_EQ(result.exitCode, 0) << result.output;
        EXPECT_TRUE(fs::is_empty(temporary)) << "after run " << run;
        EXPECT_EQ(leftInProfiles(), "") << "after run " << run;
    }
}

namespace {

// "W x H" of every page of `pdf` in points, as pdfinfo gives them.
std::vector<std::string> pageSizes(const fs::path &pdf)
{
    const CommandResult info = RunCommand("pdfinfo -f 1 -l 99 " + quoted(pdf));
    std::vector<std::string> sizes;
    const std::regex size("Page +[0-9]+ size: +([0-9.]+ x [0-9.]+) pts");
    for (auto match = std::sregex_iterator(info.output.begin(), info.output.end(), size);
         match != std::sregex_iterator(); ++match)
        sizes.push_back((*match)[1].str());
    return sizes;
}

// The mean grey difference of `image` against `reference` over 4 x 4 pixel
// blocks (the two renderers' glyph edges average out, the drawing does not),
// `reference` placed at `origin` in `image` and moved up to 2 pixels to
// where it matches best.
double blockedDifference(const QImage &image, const QImage &reference, QPoint origin)
{
    const QImage a = image.convertToFormat(QImage::Format_Grayscale8);
    const QImage b = reference.convertToFormat(QImage::Format_Grayscale8);
    const int blocksX = b.width() / 4, blocksY = b.height() / 4;
    double best = 255;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const int left = origin.x() + dx, top = origin.y() + dy;
            if (left < 0 || top < 0 || left + b.width() > a.width() || top + b.height() > a.height())
                continue;
            double total = 0;
            for (int by = 0; by < blocksY; ++by)
                for (int bx = 0; bx < blocksX; ++bx) {
                    int sum = 0;
                    for (int y = by * 4; y < by * 4 + 4; ++y) {
                        const uchar *rowA = a.constScanLine(top + y) + left;
                        const uchar *rowB = b.constScanLine(y);
                        for (int x = bx * 4; x < bx * 4 + 4; ++x)
                            sum += int(rowA[x]) - int(rowB[x]);
                    }
                    total += std::abs(sum) / 16.0;
                }
            best = std::min(best, total / (double(blocksX) * blocksY));
        }
    return best;
}

QImage firstPageImage(const fs::path &pdf, const TempFolder &folder, const std::string &name)
{
    RunCommand("pdfimages -f 1 -l 1 -j " + quoted(pdf) + " " + quoted(folder / name));
    return QImage(QString::fromStdString((folder / (name + "-000.jpg")).string()));
}

} // namespace

// At 150 dpi every page keeps its size in points and its image has 150/72
// as many pixels each way, also when the documents go to separate jobs; the
// report says the resolution of each PDF.
TEST(ConvertCommand, AtAResolutionPagesKeepTheirPointsAndGainPixels)
{
    TempFolder at72, at150;
    const std::string documents = quoted(kFixtures / "letter3.docx") + " " + quoted(kFixtures / "wide16x9.pptx") + " " +
                                  quoted(kFixtures / "workbook.xlsx");
    ASSERT_EQ(runFolivex("--convert " + documents + " --quiet --output " + quoted(at72.path())).exitCode, 0);
    const CommandResult run =
        runFolivex("--convert " + documents + " --resolution 150 --jobs 2 --report - --output " + quoted(at150.path()));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    for (const char *name : {"letter3.pdf", "wide16x9.pdf", "workbook.pdf"}) {
        EXPECT_EQ(QpdfProblems(at150 / name), "") << name;
        EXPECT_EQ(pageSizes(at150 / name), pageSizes(at72 / name)) << name;
        const Sizes small = imageSizes(at72 / name), large = imageSizes(at150 / name);
        ASSERT_EQ(small.size(), large.size()) << name;
        for (std::size_t page = 0; page < small.size(); ++page) { // ties to even: 262.5 is 262
            EXPECT_EQ(large[page].first, std::lrint(small[page].first * 150 / 72.0)) << name << " page " << page;
            EXPECT_EQ(large[page].second, std::lrint(small[page].second * 150 / 72.0)) << name << " page " << page;
        }
    }
    EXPECT_EQ(pageSizes(at150 / "letter3.pdf"), std::vector<std::string>(3, "756 x 936"));
    EXPECT_EQ(imageSizes(at150 / "letter3.pdf"), Sizes(3, {1575, 1950}));
    std::smatch match;
    int reported = 0;
    for (std::string rest = run.output; std::regex_search(rest, match, std::regex("\"pages\":3,\"resolution\":150,"));
         rest = match.suffix())
        ++reported;
    EXPECT_EQ(reported, 3) << run.output;

    const CommandResult wrong = runFolivex("--convert " + documents + " --resolution 1200");
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_EQ(wrong.output.substr(0, wrong.output.find('\n')),
              "folivex: --resolution needs a whole number of dots per inch from 72 to 600: 1200");
}

// A page at 150 dpi is drawn at 150 dpi, not enlarged from 72: against
// LibreOffice's own PDF of the document rendered at 150 dpi, it is far
// closer than the 72 dpi page enlarged to the same size. Its text has the
// glyphs' own shapes, not hinted ones: rendered by poppler with cairo, the
// rasteriser LibreOffice draws with, the PDF is nearly the same picture.
TEST(ConvertCommand, AtAResolutionThePageIsDrawnNotEnlarged)
{
    TempFolder out;
    const fs::path document = kFixtures / "letter3.docx";
    ASSERT_EQ(RunCommand("soffice -env:UserInstallation=file://" + (out / "profile").string() +
                         " --headless --convert-to pdf --outdir " + quoted(out / "own") + " " + quoted(document))
                  .exitCode,
              0);
    ASSERT_EQ(RunCommand("pdftoppm -r 150 -gray -f 1 -l 1 -singlefile " + quoted(out / "own" / "letter3.pdf") + " " +
                         quoted(out / "reference"))
                  .exitCode,
              0);
    const QImage reference(QString::fromStdString((out / "reference.pgm").string()));
    ASSERT_EQ(reference.size(), QSize(1275, 1650));
    ASSERT_EQ(RunCommand("pdftocairo -png -gray -r 150 -f 1 -l 1 -singlefile " + quoted(out / "own" / "letter3.pdf") +
                         " " + quoted(out / "cairo"))
                  .exitCode,
              0);
    const QImage cairoReference(QString::fromStdString((out / "cairo.png").string()));

    fs::create_directories(out / "72");
    fs::create_directories(out / "150");
    ASSERT_EQ(runFolivex("--convert " + quoted(document) + " --quiet --output " + quoted(out / "72")).exitCode, 0);
    ASSERT_EQ(runFolivex("--convert " + quoted(document) + " --quiet --resolution 150 --output " + quoted(out / "150"))
                  .exitCode,
              0);
    const QImage drawn = firstPageImage(out / "150" / "letter3.pdf", out, "drawn");
    const QImage enlarged = firstPageImage(out / "72" / "letter3.pdf", out, "small")
                                .scaled(1575, 1950, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    ASSERT_EQ(drawn.size(), QSize(1575, 1950));
    // The page sits inside margins of 72 points, 150 pixels.
    const double drawnDifference = blockedDifference(drawn, reference, {150, 150});
    const double enlargedDifference = blockedDifference(enlarged, reference, {150, 150});
    EXPECT_LT(drawnDifference, 3.0);
    EXPECT_LT(drawnDifference, 0.7 * enlargedDifference) << drawnDifference << " against " << enlargedDifference;
    // Hinted glyphs differ by about 1.2 here, unhinted ones by 0.5.
    EXPECT_LT(blockedDifference(drawn, cairoReference, {150, 150}), 0.8);
}

// Impress's edit view fills an empty placeholder with a prompt ("Click to
// add Title") that no print shows: the slide has only the text it holds.
TEST(ConvertCommand, EmptyPlaceholdersShowNoPrompt)
{
    TempFolder out;
    ASSERT_EQ(
        runFolivex("--convert " + quoted(kFixtures / "placeholders.pptx") + " --quiet --output " + quoted(out.path()))
            .exitCode,
        0);
    const QImage slide =
        firstPageImage(out / "placeholders.pdf", out, "slide").convertToFormat(QImage::Format_Grayscale8);
    ASSERT_EQ(slide.size(), QSize(720, 540));
    auto darkIn = [&](int top, int bottom) {
        int dark = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < slide.width(); ++x)
                dark += slide.constScanLine(y)[x] < 128;
        return dark;
    };
    EXPECT_EQ(darkIn(0, 400), 0) << "the placeholders' prompts are drawn";
    EXPECT_GT(darkIn(400, 540), 100) << "the text frame is missing";
}

// A sheet saved in page break preview is drawn as in the normal view: the
// edit view would grey everything outside the print ranges and write
// "Page 1" across them.
TEST(ConvertCommand, ASheetSavedInPageBreakPreviewIsDrawnAsPrinted)
{
    TempFolder out;
    ASSERT_EQ(runFolivex("--convert " + quoted(kFixtures / "pagebreakview.xlsx") + " " +
                         quoted(kFixtures / "workbook.xlsx") + " --quiet --output " + quoted(out.path()))
                  .exitCode,
              0);
    const QImage preview = firstPageImage(out / "pagebreakview.pdf", out, "preview");
    const QImage normal = firstPageImage(out / "workbook.pdf", out, "normal");
    ASSERT_EQ(preview.size(), normal.size());
    EXPECT_LT(blockedDifference(preview, normal, {0, 0}), 0.5);
}
