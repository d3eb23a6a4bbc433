// folivex --convert over whole archives, and with faults on purpose: no PDF
// of a run replaces another, every name is converted whatever its bytes, the
// report says what is on disk, nothing outlives the run, and mistakes are
// told once, early, in one line.
#include "cli/documentreport.h"
#include "core/ownertag.h"
#include "core/uniquefd.h"
#include "tests/cli/runtesting.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string_view>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <thread>

using namespace folivex::test;
using folivex::cli::DocumentReport;
using folivex::convert::DocumentStatus;
namespace fs = std::filesystem;

namespace {

// The report's lines by input path.
std::map<std::string, DocumentReport> readReport(const fs::path &file)
{
    std::map<std::string, DocumentReport> reports;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        DocumentReport report;
        EXPECT_TRUE(folivex::cli::ParseReportLine(line, report)) << line;
        EXPECT_EQ(reports.count(report.input), 0u) << "one line a document: " << line;
        reports[report.input] = report;
    }
    return reports;
}

// Every line of a report is a JSON object that jq reads.
void expectValidJson(const fs::path &report)
{
    const CommandResult jq = RunCommand("jq -c . " + quoted(report) + " >/dev/null");
    EXPECT_EQ(jq.exitCode, 0) << jq.output;
}

// A process's /proc file, empty when the process is gone (reading the file
// of a process that ends meanwhile fails).
std::string procFile(int pid, const char *name)
{
    try {
        std::ifstream in("/proc/" + std::to_string(pid) + "/" + name);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    } catch (const std::exception &) {
        return {};
    }
}

bool alive(int pid)
{
    const std::string stat = procFile(pid, "stat");
    const std::size_t close = stat.rfind(')');
    return close != std::string::npos && stat[close + 2] != 'Z';
}

// `root` and every process below it.
std::vector<int> processTree(int root)
{
    std::multimap<int, int> childrenOf;
    for (const auto &entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const std::string stat = procFile(std::stoi(name), "stat");
        const std::size_t close = stat.rfind(')');
        std::istringstream rest(close == std::string::npos ? std::string() : stat.substr(close + 2));
        char state;
        int parent;
        if (rest >> state >> parent && state != 'Z')
            childrenOf.emplace(parent, std::stoi(name));
    }
    std::vector<int> tree{root};
    for (std::size_t i = 0; i < tree.size(); ++i)
        for (auto [at, end] = childrenOf.equal_range(tree[i]); at != end; ++at)
            tree.push_back(at->second);
    return tree;
}

bool waitFor(const std::function<bool()> &condition, int milliseconds)
{
    for (int waited = 0; waited < milliseconds; waited += 10) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

// Sends SIGKILL to `pid` the moment a partial PDF is made in `folder`: inotify
// tells at once, so a short writing pass is not missed between two looks.
// `meanwhile` runs while waiting. False when the process ended first, or a
// minute passed.
bool killWhenWriting(int pid, const fs::path &folder, const std::function<void()> &meanwhile = {})
{
    const folivex::UniqueFd watch(::inotify_init1(IN_CLOEXEC | IN_NONBLOCK));
    if (!watch || ::inotify_add_watch(watch.get(), folder.c_str(), IN_CREATE) < 0)
        return false;
    const auto until = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (std::chrono::steady_clock::now() < until && alive(pid)) {
        pollfd ready{watch.get(), POLLIN, 0};
        if (::poll(&ready, 1, 50) > 0) {
            alignas(inotify_event) char events[4096];
            const ssize_t got = ::read(watch.get(), events, sizeof events);
            for (ssize_t at = 0; at < got;) {
                const auto *event = reinterpret_cast<const inotify_event *>(events + at);
                if (event->len > 0 && std::string_view(event->name).ends_with(".part")) {
                    ::kill(pid, SIGKILL);
                    return true;
                }
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
        }
        if (meanwhile)
            meanwhile();
    }
    return false;
}

std::vector<std::string> partsIn(const fs::path &folder)
{
    std::vector<std::string> parts;
    for (const auto &entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".part")
            parts.push_back(entry.path().filename().string());
    return parts;
}

} // namespace

// a.doc and a.pptx in one folder, report.docx in three folders below it, and
// an older PDF of a.doc from an earlier run: under --recursive the folders
// are mirrored, with --flat the later documents' PDFs keep their extension;
// the older PDF is replaced; the same with one job and with two.
TEST(ArchiveRun, NoPdfOfARunReplacesAnother)
{
    TempFolder in;
    fs::create_directories(in / "sub1");
    fs::create_directories(in / "sub2");
    fs::create_directories(in / "sub3");
    fs::copy_file(kFixtures / "letter3.doc", in / "a.doc");
    fs::copy_file(kFixtures / "classic4x3.pptx", in / "a.pptx");
    fs::copy_file(kFixtures / "letter3.docx", in / "sub1" / "report.docx");
    fs::copy_file(kFixtures / "a4margins.docx", in / "sub2" / "report.docx");
    fs::copy_file(kFixtures / "letter3.docx", in / "sub3" / "report.docx");
    for (const char *jobs : {"1", "2"}) {
        for (const bool flat : {false, true}) {
            SCOPED_TRACE(std::string("--jobs ") + jobs + (flat ? " --flat" : ""));
            TempFolder out;
            WriteFile(out / "a.pdf", "older");
            const CommandResult run = RunCommand(kFolivex + " --convert " + quoted(in.path()) + " --recursive" +
                                                 (flat ? " --flat" : "") + " --jobs " + jobs + " --output " +
                                                 quoted(out.path()) + " --report " + quoted(out / "r.jsonl"));
            EXPECT_EQ(run.exitCode, 0) << run.output;
            EXPECT_NE(run.output.find("Successed!"), std::string::npos) << run.output;
            const fs::path firstReport = flat ? out / "report.pdf" : out / "sub1" / "report.pdf";
            const fs::path secondReport = flat ? out / "report.docx.pdf" : out / "sub2" / "report.pdf";
            const fs::path thirdReport = flat ? out / "report.docx (2).pdf" : out / "sub3" / "report.pdf";
            std::map<fs::path, std::size_t> pages = {
                {out / "a.pdf", 3}, {out / "a.pptx.pdf", 2}, {firstReport, 3}, {secondReport, 2}, {thirdReport, 3}};
            for (const auto &[pdf, count] : pages) {
                EXPECT_EQ(QpdfProblems(pdf), "") << pdf;
                EXPECT_EQ(ListImages(pdf).size(), count) << pdf;
            }
            EXPECT_EQ(ListImages(secondReport).front().width, 685) << "the A4 document's own PDF";
            EXPECT_EQ(out.entries(),
                      flat ? (std::vector<std::string>{"a.pdf", "a.pptx.pdf", "r.jsonl", "report.docx (2).pdf",
                                                       "report.docx.pdf", "report.pdf"})
                           : (std::vector<std::string>{"a.pdf", "a.pptx.pdf", "r.jsonl", "sub1", "sub2", "sub3"}));
            EXPECT_NE(run.output.find("folivex: " + (in / "a.pptx").string() + " is written as " +
                                      (out / "a.pptx.pdf").string() + ": an earlier document's PDF has its name"),
                      std::string::npos)
                << run.output;
            EXPECT_EQ(run.output.find((in / "sub2" / "report.docx").string() + " is written as") != std::string::npos,
                      flat)
                << run.output;

            const std::map<std::string, DocumentReport> reports = readReport(out / "r.jsonl");
            ASSERT_EQ(reports.size(), 5u);
            EXPECT_EQ(reports.at((in / "a.doc").string()).output, (out / "a.pdf").string());
            EXPECT_EQ(reports.at((in / "a.pptx").string()).output, (out / "a.pptx.pdf").string());
            EXPECT_EQ(reports.at((in / "sub1" / "report.docx").string()).output, firstReport.string());
            EXPECT_EQ(reports.at((in / "sub2" / "report.docx").string()).output, secondReport.string());
            EXPECT_EQ(reports.at((in / "sub3" / "report.docx").string()).output, thirdReport.string());
            for (const auto &[input, report] : reports)
                EXPECT_EQ(report.status, DocumentStatus::Converted) << input;
            const std::string line = ReadFile(out / "r.jsonl");
            EXPECT_EQ(line.find("replaced_by"), std::string::npos) << "nothing was replaced: " << line;
        }
    }
}

// Names whose bytes are not UTF-8, in the folder named and in a folder
// below it: converted, printed readably, and reported byte for byte.
TEST(ArchiveRun, NamesThatAreNotUtf8AreConverted)
{
    TempFolder in;
    const std::string folder = "d\xe9j\xe0";
    fs::create_directories(in / folder);
    fs::copy_file(kFixtures / "letter3.docx", in / "only\xe9.docx");
    fs::copy_file(kFixtures / "classic4x3.pptx", in / "plain.pptx");
    fs::copy_file(kFixtures / "workbook.xlsx", in / folder / "inner\xff.xlsx");
    for (const bool recursive : {false, true}) {
        SCOPED_TRACE(recursive ? "--recursive" : "the folder alone");
        TempFolder out;
        const CommandResult run =
            RunCommand(kFolivex + " --convert " + quoted(in.path()) + (recursive ? " --recursive" : "") +
                       " --jobs 2 --output " + quoted(out.path()) + " --report " + quoted(out / "r.jsonl"));
        EXPECT_EQ(run.exitCode, 0) << run.output;
        EXPECT_EQ(ListImages(out / "only\xe9.pdf").size(), 3u);
        EXPECT_EQ(ListImages(out / "plain.pdf").size(), 2u);
        EXPECT_EQ(fs::exists(out / folder / "inner\xff.pdf"), recursive);
        if (recursive)
            EXPECT_EQ(ListImages(out / folder / "inner\xff.pdf").size(), 3u);
        expectValidJson(out / "r.jsonl");
        const std::map<std::string, DocumentReport> reports = readReport(out / "r.jsonl");
        ASSERT_EQ(reports.size(), recursive ? 3u : 2u);
        EXPECT_EQ(reports.at((in / "only\xe9.docx").string()).output, (out / "only\xe9.pdf").string());
        if (recursive)
            EXPECT_EQ(reports.at((in / folder / "inner\xff.xlsx").string()).output,
                      (out / folder / "inner\xff.pdf").string());
        const std::string text = ReadFile(out / "r.jsonl");
        EXPECT_NE(text.find("\"input\":\"" + in.path().string() + "/only\\\\xe9.docx\""), std::string::npos) << text;
    }
    // A failure names the file readably: the bytes that are no UTF-8 as \xHH.
    TempFolder out;
    WriteFile(in / "bad\xe9.docx", "not a document at all, just text");
    const CommandResult bad =
        RunCommand(kFolivex + " --convert --quiet " + quoted(in / "bad\xe9.docx") + " --output " + quoted(out.path()));
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(
        bad.output.rfind("folivex: " + in.path().string() + "/bad\\xe9.docx: Failed to open the word document", 0), 0u)
        << bad.output;
}

// A signal that comes after a PDF was renamed into place: the document is
// converted (its PDF replaced the older one), the ones not started are
// skipped, each with its line.
TEST(ArchiveRun, ASignalAfterTheRenameLeavesTheDocumentConverted)
{
    for (const char *jobs : {"1", "2"}) {
        SCOPED_TRACE(std::string("--jobs ") + jobs);
        TempFolder in, out;
        const std::vector<std::string> names = {"one.docx", "two.docx", "three.docx"};
        for (const std::string &name : names) {
            fs::copy_file(kFixtures / "letter3.docx", in / name);
            WriteFile(out / (name.substr(0, name.find('.')) + ".pdf"), "older");
        }
        const fs::path marker = in / "renamed";
        const pid_t child = StartQuietly(kFolivex,
                                         {"--convert", (in / "one.docx").string(), (in / "two.docx").string(),
                                          (in / "three.docx").string(), "--jobs", jobs, "--output", out.path().string(),
                                          "--report", (out / "r.jsonl").string()},
                                         {{"FOLIVEX_TEST_HOLD_AFTER_PDF", marker.string()}});
        ASSERT_GE(child, 0);
        ASSERT_TRUE(waitFor([&] { return fs::exists(marker); }, 60000)) << "no PDF was renamed into place";
        kill(child, SIGTERM);
        EXPECT_EQ(exitCodeOf(child), 143);
        const std::map<std::string, DocumentReport> reports = readReport(out / "r.jsonl");
        ASSERT_EQ(reports.size(), 3u);
        int converted = 0;
        for (const std::string &name : names) {
            const DocumentReport &report = reports.at((in / name).string());
            const fs::path pdf = out / (name.substr(0, name.find('.')) + ".pdf");
            const bool replaced = ReadFile(pdf) != "older";
            EXPECT_EQ(report.status == DocumentStatus::Converted, replaced)
                << name << ": " << folivex::cli::StatusName(report.status);
            if (replaced) {
                ++converted;
                EXPECT_EQ(report.output, pdf.string());
                EXPECT_EQ(QpdfProblems(pdf), "");
            } else {
                EXPECT_EQ(report.output, "");
                EXPECT_TRUE(report.status == DocumentStatus::Stopped || report.status == DocumentStatus::Skipped)
                    << folivex::cli::StatusName(report.status);
            }
        }
        EXPECT_GE(converted, 1);
        if (std::string(jobs) == "1") {
            EXPECT_EQ(reports.at((in / "one.docx").string()).status, DocumentStatus::Converted);
            for (const char *name : {"two.docx", "three.docx"}) {
                EXPECT_EQ(reports.at((in / name).string()).status, DocumentStatus::Skipped);
                EXPECT_EQ(reports.at((in / name).string()).reason, "the run was interrupted before it");
            }
        }
        EXPECT_TRUE(partsIn(out.path()).empty());
    }
}

// SIGKILL of a run of two jobs: no job or host is left two seconds later,
// and no PDF appears afterwards. The next run into the same output folder,
// with the same temporary folder, removes what the killed run left: its
// partial PDFs and its jobs' folder; a partial PDF whose owner still runs,
// and one without an owner's tag, are kept.
TEST(ArchiveRun, NothingOutlivesAKilledRun)
{
    TempFolder in, out, temporary;
    fs::copy_file(kFixtures / "big100.docx", in / "first.docx");
    fs::copy_file(kFixtures / "big100.docx", in / "second.docx");
    // Killed the moment a job begins to write its PDF; the other is not far
    // behind. Every process the run had meanwhile is watched.
    std::set<int> tree;
    bool killed = false;
    for (int attempt = 0; attempt < 3 && !killed; ++attempt) {
        const pid_t child = StartQuietly(kFolivex,
                                         {"--convert", (in / "first.docx").string(), (in / "second.docx").string(),
                                          "--jobs", "2", "--output", out.path().string()},
                                         {{"TMPDIR", temporary.path().string()}});
        ASSERT_GE(child, 0);
        tree.clear();
        killed = killWhenWriting(child, out.path(), [&] {
            for (int pid : processTree(child))
                tree.insert(pid);
        });
        if (killed)
            EXPECT_EQ(exitCodeOf(child), -SIGKILL);
        else
            exitCodeOf(child);
    }
    ASSERT_TRUE(killed) << "the jobs did not get as far as writing";
    const std::vector<std::string> atKill = out.entries();
    EXPECT_GE(tree.size(), 5u) << "the run, two jobs and their hosts";
    std::this_thread::sleep_for(std::chrono::seconds(2));
    for (int pid : tree)
        EXPECT_FALSE(alive(pid)) << "process " << pid << " outlived the run";
    const std::vector<std::string> left = out.entries();
    std::this_thread::sleep_for(std::chrono::seconds(3));
    EXPECT_EQ(out.entries(), left) << "nothing written after the run";
    for (const std::string &name : left)
        if (fs::path(name).extension() == ".pdf")
            EXPECT_NE(std::find(atKill.begin(), atKill.end(), name), atKill.end())
                << "written after the kill: " << name;
    EXPECT_EQ(temporary.entries().size(), 1u) << "the jobs' folder, left by the kill";

    const std::string live = ".folivex-" + folivex::OwnerTag() + "-0000abcd.part";
    WriteFile(out / live, "written by a process that runs");
    WriteFile(out / ".folivex-0123abcd.part", "no owner's tag");
    const CommandResult next = RunCommand(
        "TMPDIR=" + quoted(temporary.path()) + " " + kFolivex + " --convert " + quoted(kFixtures / "letter3.docx") +
        " " + quoted(kFixtures / "classic4x3.pptx") + " --jobs 2 --output " + quoted(out.path()));
    EXPECT_EQ(next.exitCode, 0) << next.output;
    const std::vector<std::string> after = out.entries();
    std::set<std::string> expected = {".folivex-0123abcd.part", live, "classic4x3.pdf", "letter3.pdf"};
    for (const std::string &name : left)
        if (fs::path(name).extension() == ".pdf")
            expected.insert(name);
    EXPECT_EQ(std::set<std::string>(after.begin(), after.end()), expected) << "the killed run's parts removed";
    EXPECT_TRUE(temporary.entries().empty());
}

// With one job, SIGKILL leaves its partial PDF; the next run removes it.
TEST(ArchiveRun, AStalePartialPdfIsRemovedByTheNextRun)
{
    TempFolder out;
    for (int attempt = 0; attempt < 3 && partsIn(out.path()).empty(); ++attempt) {
        const pid_t child = StartQuietly(kFolivex, {"--convert", (kFixtures / "big100.docx").string(), "--jobs", "1",
                                                    "--output", out.path().string()});
        ASSERT_GE(child, 0);
        killWhenWriting(child, out.path());
        exitCodeOf(child);
        fs::remove(out / "big100.pdf");
    }
    ASSERT_EQ(partsIn(out.path()).size(), 1u) << "the kill came while the PDF was written";
    const CommandResult next =
        RunCommand(kFolivex + " --convert " + quoted(kFixtures / "letter3.docx") + " --output " + quoted(out.path()));
    EXPECT_EQ(next.exitCode, 0) << next.output;
    EXPECT_EQ(out.entries(), std::vector<std::string>{"letter3.pdf"});
}

// Mistakes told at once, in one line each: an output folder that cannot
// take PDFs (before any document), a run without documents, files that are
// no documents, a document protected by a password; --quiet prints those
// lines and nothing else.
TEST(ArchiveRun, MistakesAreToldEarlyOnceAndExactly)
{
    TempFolder in, out;
    WriteFile(in / "file", "a file");
    const std::string letter = quoted(kFixtures / "letter3.docx");
    const CommandResult aFile = RunCommand(kFolivex + " --convert " + letter + " --output " + quoted(in / "file"));
    EXPECT_EQ(aFile.exitCode, 2);
    EXPECT_EQ(aFile.output, "folivex: the output folder " + (in / "file").string() + " is not a folder\n");
    const CommandResult missing = RunCommand(kFolivex + " --convert " + letter + " --output " + quoted(in / "none"));
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.output, "folivex: the output folder " + (in / "none").string() + " does not exist\n");
    EXPECT_FALSE(fs::exists(in / "none"));
    // The default folder, ~/Output, is made when missing; here it cannot be.
    const CommandResult noHome = RunCommand("HOME=" + quoted(in / "file") + " " + kFolivex + " --convert " + letter);
    EXPECT_EQ(noHome.exitCode, 2);
    EXPECT_EQ(noHome.output.rfind("folivex: cannot make the output folder " + (in / "file").string() + "/Output: ", 0),
              0u)
        << noHome.output;
    EXPECT_EQ(std::count(noHome.output.begin(), noHome.output.end(), '\n'), 1) << noHome.output;
    if (::geteuid() != 0) {
        fs::create_directory(in / "locked");
        fs::permissions(in / "locked", fs::perms::owner_read | fs::perms::owner_exec);
        const CommandResult locked =
            RunCommand(kFolivex + " --convert " + letter + " --output " + quoted(in / "locked"));
        EXPECT_EQ(locked.exitCode, 2);
        EXPECT_EQ(locked.output,
                  "folivex: the output folder " + (in / "locked").string() + " is not writable: Permission denied\n");
    }

    fs::create_directory(in / "empty");
    WriteFile(in / "empty" / "notes.txt", "no Office document");
    const CommandResult none =
        RunCommand(kFolivex + " --convert " + quoted(in / "empty") + " --output " + quoted(out.path()));
    EXPECT_EQ(none.exitCode, 3);
    EXPECT_EQ(none.output, "folivex: no Word, PowerPoint or Excel document was found\n");

    fs::create_directory(in / "odd");
    ASSERT_EQ(::mkfifo((in / "odd" / "pipe.docx").c_str(), 0600), 0);
    fs::create_directory(in / "odd" / "folder.xlsx");
    fs::copy_file(kFixtures / "protected.doc", in / "odd" / "secret.doc");
    fs::copy_file(kFixtures / "protected.xls", in / "odd" / "secret.xls");
    fs::copy_file(kFixtures / "letter3.docx", in / "odd" / "fine.docx");
    for (const char *jobs : {"1", "2"}) {
        SCOPED_TRACE(std::string("--jobs ") + jobs);
        const CommandResult quiet =
            RunCommand("{ " + kFolivex + " --convert --quiet " + quoted(in / "odd") + " --jobs " + jobs + " --output " +
                       quoted(out.path()) + " 2>&1; } | sort");
        const std::string odd = (in / "odd").string();
        EXPECT_EQ(quiet.output, "folivex: " + odd +
                                    "/folder.xlsx: it is a folder, not a document\n"
                                    "folivex: " +
                                    odd +
                                    "/pipe.docx: it is a named pipe (FIFO), not a document\n"
                                    "folivex: " +
                                    odd +
                                    "/secret.doc: Failed to open the word document. If the Word version is below "
                                    "2007, please update it. (LibreOffice: it is protected by a password)\n"
                                    "folivex: " +
                                    odd +
                                    "/secret.xls: Failed to open the Excel document. If the Excel version is below "
                                    "2007, please update it. (LibreOffice: it is protected by a password)\n");
        EXPECT_EQ(out.entries(), std::vector<std::string>{"fine.pdf"});
        fs::remove(out / "fine.pdf");
    }
    const CommandResult pipe =
        RunCommand(kFolivex + " --convert " + quoted(in / "odd" / "pipe.docx") + " --output " + quoted(out.path()));
    EXPECT_EQ(pipe.exitCode, 1);
    EXPECT_EQ(pipe.output,
              "folivex: " + (in / "odd" / "pipe.docx").string() + ": it is a named pipe (FIFO), not a document\n");
}

// --skip-existing leaves a document whose PDF is newer than it, and converts
// one whose PDF is older.
TEST(ArchiveRun, SkipExistingLeavesDocumentsWithANewerPdf)
{
    TempFolder in, out;
    fs::copy_file(kFixtures / "letter3.docx", in / "done.docx");
    fs::copy_file(kFixtures / "classic4x3.pptx", in / "stale.pptx");
    WriteFile(out / "done.pdf", "converted before");
    WriteFile(out / "stale.pdf", "converted before the document changed");
    const auto now = fs::file_time_type::clock::now();
    fs::last_write_time(in / "done.docx", now - std::chrono::hours(2));
    fs::last_write_time(out / "done.pdf", now - std::chrono::hours(1));
    fs::last_write_time(out / "stale.pdf", now - std::chrono::hours(3));
    fs::last_write_time(in / "stale.pptx", now - std::chrono::hours(2));
    for (const char *jobs : {"1", "2"}) {
        SCOPED_TRACE(std::string("--jobs ") + jobs);
        const CommandResult run =
            RunCommand(kFolivex + " --convert " + quoted(in.path()) + " --skip-existing --jobs " + jobs + " --output " +
                       quoted(out.path()) + " --report " + quoted(in / "r.jsonl"));
        EXPECT_EQ(run.exitCode, 0) << run.output;
        EXPECT_NE(run.output.find("Successed!"), std::string::npos) << run.output;
        EXPECT_EQ(ReadFile(out / "done.pdf"), "converted before");
        EXPECT_EQ(ListImages(out / "stale.pdf").size(), 2u);
        const std::map<std::string, DocumentReport> reports = readReport(in / "r.jsonl");
        const DocumentReport &done = reports.at((in / "done.docx").string());
        EXPECT_EQ(done.status, DocumentStatus::Skipped);
        EXPECT_EQ(done.reason, "its PDF is newer than the document");
        EXPECT_EQ(done.output, (out / "done.pdf").string());
        EXPECT_EQ(reports.at((in / "stale.pptx").string()).status, DocumentStatus::Converted);
        // Again, with the PDF made older than its document once more.
        fs::last_write_time(out / "stale.pdf", now - std::chrono::hours(3));
    }
}
