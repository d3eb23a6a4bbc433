// folivex --convert as a tool for scripts and big jobs: it goes on after a
// failure, takes its documents from lists and folder trees, reports each
// document as a JSON line, runs several documents at once, stops at once on
// a signal, and shards across "machines" with GNU parallel.
#include "cli/documentreport.h"
#include "tests/cli/runtesting.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

using namespace folivex::test;
using folivex::cli::DocumentReport;
using folivex::convert::DocumentStatus;
namespace fs = std::filesystem;

namespace {

std::vector<DocumentReport> readReport(const fs::path &file)
{
    std::vector<DocumentReport> reports;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        DocumentReport report;
        EXPECT_TRUE(folivex::cli::ParseReportLine(line, report)) << line;
        reports.push_back(report);
    }
    return reports;
}

const DocumentReport *reportOf(const std::vector<DocumentReport> &reports, const fs::path &input)
{
    for (const DocumentReport &report : reports)
        if (report.input == input.string())
            return &report;
    return nullptr;
}

bool alive(int pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t close = stat.rfind(')');
    return close != std::string::npos && stat[close + 2] != 'Z';
}

} // namespace

// A damaged document in the middle of three: the other two are converted,
// the run ends with 1, and the report says what became of each.
TEST(BatchRun, AFailureInTheMiddleDoesNotStopTheRun)
{
    for (const char *jobs : {"1", "2"}) {
        SCOPED_TRACE(std::string("--jobs ") + jobs);
        TempFolder out;
        const fs::path missing = out / "no such.docx";
        const CommandResult run = RunCommand(
            kFolivex + " --convert " + quoted(kFixtures / "letter3.docx") + " " + quoted(kFixtures / "truncated.docx") +
            " " + quoted(missing) + " " + quoted(kFixtures / "wide16x9.pptx") + " --jobs " + jobs + " --output " +
            quoted(out.path()) + " --report " + quoted(out / "report.jsonl") + " 2>&1");
        EXPECT_EQ(run.exitCode, 1) << run.output;
        EXPECT_EQ(run.output.find("Successed!"), std::string::npos) << run.output;
        EXPECT_NE(run.output.find("folivex: " + missing.string() + ": No such file or directory"), std::string::npos)
            << run.output;
        EXPECT_EQ(out.entries(), (std::vector<std::string>{"letter3.pdf", "report.jsonl", "wide16x9.pdf"}));

        const std::vector<DocumentReport> reports = readReport(out / "report.jsonl");
        ASSERT_EQ(reports.size(), 4u);
        const DocumentReport *letter = reportOf(reports, kFixtures / "letter3.docx");
        ASSERT_NE(letter, nullptr);
        EXPECT_EQ(letter->status, DocumentStatus::Converted);
        EXPECT_EQ(letter->output, (out / "letter3.pdf").string());
        EXPECT_EQ(letter->pages, 3);
        EXPECT_EQ(letter->bytes, fs::file_size(out / "letter3.pdf"));
        EXPECT_EQ(letter->reason, "");
        EXPECT_GT(letter->seconds, 0);
        const DocumentReport *truncated = reportOf(reports, kFixtures / "truncated.docx");
        ASSERT_NE(truncated, nullptr);
        EXPECT_EQ(truncated->status, DocumentStatus::Failed);
        EXPECT_EQ(truncated->output, "");
        EXPECT_NE(truncated->reason.find("Failed to open the word document"), std::string::npos) << truncated->reason;
        EXPECT_NE(truncated->reason.find("(LibreOffice: LibreOffice cannot load it"), std::string::npos);
        const DocumentReport *absent = reportOf(reports, missing);
        ASSERT_NE(absent, nullptr);
        EXPECT_EQ(absent->status, DocumentStatus::Failed);
        EXPECT_EQ(absent->reason, "No such file or directory");
        const DocumentReport *slides = reportOf(reports, kFixtures / "wide16x9.pptx");
        ASSERT_NE(slides, nullptr);
        EXPECT_EQ(slides->status, DocumentStatus::Converted);
        EXPECT_EQ(slides->pages, 3);
    }
}

// A path that does not exist alone: named as such, and no celebration.
TEST(BatchRun, APathThatDoesNotExistIsNoSuccess)
{
    TempFolder out;
    const CommandResult run =
        RunCommand(kFolivex + " --convert " + quoted(out / "gone.docx") + " --output " + quoted(out.path()) + " 2>&1");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("gone.docx: No such file or directory"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("Successed!"), std::string::npos) << run.output;
}

// Names from standard input, one a line, with blanks and a byte that is no
// UTF-8 in them; blank lines left out; a document named twice converted once.
TEST(BatchRun, FilesFromStandardInputTakeAnyNameAndCountOnce)
{
    TempFolder in, out;
    const std::string odd = "my report \xe9 (final).docx";
    fs::copy_file(kFixtures / "letter3.docx", in / odd);
    fs::copy_file(kFixtures / "classic4x3.ppt", in / "slides.ppt");
    WriteFile(in / "list",
              (in / odd).string() + "\n\n" + (in / "slides.ppt").string() + "\n" + (in / odd).string() + "\n");
    const CommandResult run = RunCommand("{ " + kFolivex + " --convert --files-from - --output " + quoted(out.path()) +
                                         " --report - < " + quoted(in / "list") + " 2>/dev/null; }");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(out.entries(), (std::vector<std::string>{"my report \xe9 (final).pdf", "slides.pdf"}));
    // The report went to standard output, alone: two lines of valid JSON.
    std::istringstream lines(run.output);
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);)
        all.push_back(line);
    ASSERT_EQ(all.size(), 2u) << run.output;
    // Lines come as documents finish, which with two jobs is in either order.
    const std::string oddLine = all[0].find("slides.ppt") == std::string::npos ? all[0] : all[1];
    DocumentReport oddReport;
    ASSERT_TRUE(folivex::cli::ParseReportLine(oddLine, oddReport));
    EXPECT_EQ(oddReport.input, (in / odd).string()) << "the name comes back byte for byte";
    EXPECT_NE(oddLine.find("\"input\":\"" + in.path().string() + "/my report \\\\xe9 (final).docx\","),
              std::string::npos)
        << "a byte that is no UTF-8 is escaped in the text: " << oddLine;
    EXPECT_NE(oddLine.find("\"input_bytes\":\""), std::string::npos) << "and the name kept in base64: " << oddLine;
    EXPECT_EQ(ListImages(out / "my report \xe9 (final).pdf").size(), 3u);
}

// --recursive takes the folders below, in name order, and their PDFs mirror
// them in the output folder; without it, only the folder itself.
TEST(BatchRun, RecursiveFoldersTakeTheWholeTree)
{
    TempFolder in, flat, deep;
    fs::create_directories(in / "a" / "b");
    fs::copy_file(kFixtures / "letter3.docx", in / "top.docx");
    fs::copy_file(kFixtures / "wide16x9.pptx", in / "a" / "middle.pptx");
    fs::copy_file(kFixtures / "workbook.xlsx", in / "a" / "b" / "bottom.xlsx");
    WriteFile(in / "a" / "notes.txt", "not an Office document");
    fs::create_directory_symlink(in.path(), in / "a" / "b" / "loop");
    EXPECT_EQ(RunCommand(kFolivex + " --convert " + quoted(in.path()) + " --output " + quoted(flat.path())).exitCode,
              0);
    EXPECT_EQ(flat.entries(), std::vector<std::string>{"top.pdf"});
    const CommandResult run =
        RunCommand(kFolivex + " --convert " + quoted(in.path()) + " --recursive --jobs 1 --output " +
                   quoted(deep.path()) + " --report " + quoted(deep / "r.jsonl"));
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(deep.entries(), (std::vector<std::string>{"a", "r.jsonl", "top.pdf"}));
    EXPECT_TRUE(fs::is_regular_file(deep / "a" / "middle.pdf"));
    EXPECT_TRUE(fs::is_regular_file(deep / "a" / "b" / "bottom.pdf"));
    const std::vector<DocumentReport> reports = readReport(deep / "r.jsonl");
    ASSERT_EQ(reports.size(), 3u) << "the link back up is not followed";
    EXPECT_EQ(reports[0].input, (in / "top.docx").string());
    EXPECT_EQ(reports[1].input, (in / "a" / "middle.pptx").string());
    EXPECT_EQ(reports[2].input, (in / "a" / "b" / "bottom.xlsx").string());
}

// SIGTERM in the middle of a long open: the run ends at once with 143, the
// older PDF kept, no host left, the report closed with the stopped document.
TEST(BatchRun, SigtermDuringAnOpenStopsAtOnce)
{
    TempFolder out;
    WriteFile(out / "long1000.pdf", "older");
    const pid_t child = StartQuietly(kFolivex, {"--convert", (kFixtures / "long1000.docx").string(), "--output",
                                                out.path().string(), "--report", (out / "r.jsonl").string()});
    ASSERT_GE(child, 0);
    // The host is up and has been asked to open the document.
    std::vector<int> hosts;
    for (int wait = 0; wait < 2000 && hosts.empty(); ++wait) {
        hosts = ChildProcesses(child);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_FALSE(hosts.empty()) << "no host was started";
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    kill(child, SIGTERM);
    EXPECT_EQ(exitCodeOf(child), 143);
    for (int host : hosts)
        EXPECT_FALSE(alive(host)) << "host " << host << " outlived the run";
    EXPECT_EQ(ReadFile(out / "long1000.pdf"), "older");
    EXPECT_EQ(out.entries(), (std::vector<std::string>{"long1000.pdf", "r.jsonl"})) << "no partial file";
    const std::vector<DocumentReport> reports = readReport(out / "r.jsonl");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].status, DocumentStatus::Stopped);
    EXPECT_EQ(reports[0].output, "");
}

// The README's recipe for many machines, on this one: a list of documents
// split by GNU parallel into shards, each shard one folivex with its own
// jobs, the reports joined. Every document is converted exactly once.
TEST(BatchRun, TheGnuParallelRecipeConvertsEveryDocumentOnce)
{
    if (RunCommand("command -v parallel >/dev/null").exitCode != 0)
        GTEST_SKIP() << "GNU parallel is not installed";
    TempFolder in, out;
    std::string list;
    const char *sources[] = {"letter3.docx",  "wide16x9.pptx",  "workbook.xlsx",
                             "a4margins.doc", "classic4x3.ppt", "chartsheet.xls"};
    for (int copy = 0; copy < 2; ++copy)
        for (const char *source : sources) {
            const fs::path name = in / (std::to_string(copy) + "-" + source);
            fs::copy_file(kFixtures / source, name);
            list += name.string() + "\n";
        }
    WriteFile(in / "documents.txt", list);
    // Two local "machines" (-j2), each taking blocks of 3 lines.
    const CommandResult run = RunCommand(
        "parallel --will-cite --pipe -N 3 -j2 " + kFolivex + " --convert --files-from - --jobs 1 --quiet --output " +
        quoted(out.path()) + " --report - < " + quoted(in / "documents.txt") + " > " + quoted(in / "report.jsonl"));
    EXPECT_EQ(run.exitCode, 0) << run.output;
    const std::vector<DocumentReport> reports = readReport(in / "report.jsonl");
    EXPECT_EQ(reports.size(), 12u);
    std::set<std::string> inputs;
    for (const DocumentReport &report : reports) {
        EXPECT_EQ(report.status, DocumentStatus::Converted) << report.input;
        inputs.insert(report.input);
    }
    EXPECT_EQ(inputs.size(), 12u) << "each document exactly once";
    EXPECT_EQ(out.entries().size(), 12u);
}
