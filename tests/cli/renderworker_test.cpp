// A conversion that runs alone gives long text documents and presentations a
// render worker, a second process that draws every other page. Its pages
// must be the very bytes the host alone gives, and when it dies the host
// goes on alone.
#include "tests/cli/runtesting.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

using namespace folivex::test;
namespace fs = std::filesystem;

namespace {

// Converts `document` into `out` with the render worker switched on or off,
// on the profiles in `profiles`; the hosts' own messages go to `log`.
CommandResult convert(const fs::path &document, const fs::path &out, bool worker, const fs::path &log,
                      const fs::path &profiles)
{
    return RunCommand("FOLIVEX_PROFILE_DIR='" + profiles.string() + "' FOLIVEX_RENDER_WORKER=" +
                      std::string(worker ? "1" : "0") + " FOLIVEX_OFFICE_LOG='" + log.string() + "' '" + kFolivex +
                      "' --convert --jobs 1 --output '" + out.string() + "' '" + document.string() + "'");
}

std::string pdfName(const fs::path &document)
{
    return document.stem().string() + ".pdf";
}

// What /proc/PID/NAME holds; empty once the process has gone, which can be
// between finding it and reading it (reading then fails with ESRCH).
std::string procFile(int pid, const char *name)
{
    try {
        std::ifstream in("/proc/" + std::to_string(pid) + "/" + name);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure &) {
        return {};
    }
}

// The processes under `root` whose command line holds `word`.
std::vector<int> descendantsWith(int root, const std::string &word)
{
    std::vector<int> found;
    std::vector<int> parents{root};
    while (!parents.empty()) {
        const int parent = parents.back();
        parents.pop_back();
        for (int child : ChildProcesses(parent)) {
            parents.push_back(child);
            if (procFile(child, "cmdline").find(word) != std::string::npos)
                found.push_back(child);
        }
    }
    return found;
}

// Whether process `pid` maps the worker's picture buffer: it has been given a job.
bool hasPictureBuffer(int pid)
{
    return procFile(pid, "maps").find("folivex-worker-picture") != std::string::npos;
}

int picturesDrawn(const std::string &log)
{
    const std::size_t said = log.find("the render worker drew ");
    return said == std::string::npos ? -1 : std::stoi(log.substr(said + 23));
}

} // namespace

// long1000.docx is long enough for the worker to load and draw well before
// the end, even on a busy machine. A presentation's worker is still loading
// when a short one is done on a busy machine; its bytes are compared all the
// same, and prove the worker's slides whenever it drew some.
TEST(RenderWorker, PagesAreTheHostsBytesWhetherTheWorkerDrawsOrDies)
{
    // Profiles of their own: the other tests' hosts take profiles too.
    TempFolder profiles;
    for (const char *name : {"long1000.docx", "big50.pptx"}) {
        SCOPED_TRACE(name);
        const fs::path document = kFixtures / name;
        TempFolder alone, helped;
        const CommandResult first = convert(document, alone.path(), false, alone / "host.log", profiles.path());
        ASSERT_EQ(first.exitCode, 0) << first.output;
        const CommandResult second = convert(document, helped.path(), true, helped / "host.log", profiles.path());
        ASSERT_EQ(second.exitCode, 0) << second.output;
        EXPECT_EQ(ReadFile(alone / "host.log").find("render worker"), std::string::npos);
        const std::string log = ReadFile(helped / "host.log");
        if (std::string(name) == "long1000.docx")
            EXPECT_GE(picturesDrawn(log), 100) << log;
        else
            EXPECT_GE(picturesDrawn(log), 0) << log;
        EXPECT_TRUE(ReadFile(alone / pdfName(document)) == ReadFile(helped / pdfName(document))) << "the PDFs differ";
        if (std::string(name) != "long1000.docx")
            continue;

        // The worker killed once it has been given pages: the host goes on
        // alone, to the same bytes.
        TempFolder killed;
        const pid_t child =
            StartQuietly(kFolivex, {"--convert", "--jobs", "1", "--output", killed.path().string(), document.string()},
                         {{"FOLIVEX_PROFILE_DIR", profiles.path().string()},
                          {"FOLIVEX_RENDER_WORKER", "1"},
                          {"FOLIVEX_OFFICE_LOG", (killed / "host.log").string()}});
        ASSERT_GE(child, 0);
        std::vector<int> workers;
        for (int wait = 0; wait < 30000 && (workers.empty() || !hasPictureBuffer(workers[0])); ++wait) {
            if (workers.empty())
                workers = descendantsWith(child, "--render-worker");
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        ASSERT_FALSE(workers.empty()) << "no render worker was started";
        kill(workers[0], SIGKILL);
        EXPECT_EQ(exitCodeOf(child), 0);
        const std::string killedLog = ReadFile(killed / "host.log");
        EXPECT_NE(killedLog.find("the render worker was lost after"), std::string::npos) << killedLog;
        EXPECT_TRUE(ReadFile(alone / pdfName(document)) == ReadFile(killed / pdfName(document))) << "the PDFs differ";
    }
}
