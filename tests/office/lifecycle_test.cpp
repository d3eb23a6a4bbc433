// The life of a host: it starts per object, ends with Quit or with the last
// reference, is ended when it dies or stops answering, keeps the window
// alive while a call waits, and fails to start without its LibreOffice
// module.
#include "platform/clipboard.h"
#include "tests/office/officetesting.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

using namespace folivex;
using namespace folivex::testing;
using automation::Variant;

namespace {

// The one process of `after` that is not in `before`, 0 if none or several.
int newProcess(const std::vector<int> &before, const std::vector<int> &after)
{
    int found = 0, count = 0;
    for (int pid : after)
        if (std::find(before.begin(), before.end(), pid) == before.end()) {
            found = pid;
            ++count;
        }
    return count == 1 ? found : 0;
}

// The processor time, in clock ticks, that the threads of process `pid`
// named `name` have used so far.
long threadTicks(int pid, const std::string &name)
{
    long ticks = 0;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    for (const auto &task : std::filesystem::directory_iterator(tasks)) {
        std::string comm;
        std::getline(std::ifstream(task.path() / "comm"), comm);
        if (comm != name)
            continue;
        std::string stat;
        std::getline(std::ifstream(task.path() / "stat"), stat);
        // Past the name in parentheses: state is field 3, utime 14, stime 15.
        std::istringstream fields(stat.substr(stat.rfind(')') + 2));
        std::string field;
        for (int i = 3; i <= 15 && fields >> field; ++i)
            if (i >= 14)
                ticks += std::stol(field);
    }
    return ticks;
}

// The children of `host` that are render workers.
std::vector<int> renderWorkersOf(int host)
{
    std::vector<int> workers;
    for (int child : folivex::test::ChildProcesses(host)) {
        std::ifstream in("/proc/" + std::to_string(child) + "/cmdline");
        const std::string line((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (line.find("--render-worker") != std::string::npos)
            workers.push_back(child);
    }
    return workers;
}

bool hasThread(int pid, const std::string &name)
{
    std::error_code ec;
    for (const auto &task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", ec)) {
        std::string comm;
        std::getline(std::ifstream(task.path() / "comm"), comm);
        if (comm == name)
            return true;
    }
    return false;
}

// Waits up to 10 s for `done`.
bool eventually(const std::function<bool()> &done)
{
    for (int i = 0; i < 1000; ++i) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return done();
}

// Restores the pump and the time limits whatever a test did.
class Lifecycle : public ::testing::Test {
protected:
    void TearDown() override
    {
        automation::SetMessagePump(nullptr);
        automation::SetCallTimeLimits(std::chrono::seconds(30), std::chrono::seconds(300));
        ::unsetenv("FOLIVEX_LIBREOFFICE");
        ::unsetenv("FOLIVEX_RENDER_WORKER");
    }
};

} // namespace

TEST_F(Lifecycle, QuitAndReleaseLeaveNoProcess)
{
    int quitPid, releasedPid;
    {
        Variant app = automation::CreateOleObject("Word.Application");
        quitPid = automation::HostProcessId(app);
        ASSERT_GT(quitPid, 0);
        EXPECT_FALSE(processesInGroup(quitPid).empty());
        app.read("Documents").call("Open", {fixture("letter3.docx")});
        copyWordPage(app, 1);
        app.call("Quit");
        EXPECT_TRUE(processesInGroup(quitPid).empty());
        EXPECT_EQ(errorText([&] { app.read("Visible"); }), "Word has quit");
        // The picture outlives its host on the clipboard, but cannot play.
        EXPECT_EQ(errorText([] { playClipboard(10, 10); }), "Word has quit");
    }
    {
        Variant app = automation::CreateOleObject("Excel.Application");
        releasedPid = automation::HostProcessId(app);
        app.read("WorkBooks").call("Open", {fixture("workbook.xlsx")});
        // A reference to an inner object keeps the host.
        Variant sheet = app.read("ActiveSheet");
        app = Variant();
        EXPECT_FALSE(processesInGroup(releasedPid).empty());
        EXPECT_EQ(sheet.read("Name").toString(), "Offset");
    }
    EXPECT_TRUE(processesInGroup(releasedPid).empty());
    EXPECT_EQ(errorText([] { playClipboard(10, 10); }), "Cannot draw the picture: Word has ended");
    clipboard::ProcessClipboard().open();
    clipboard::ProcessClipboard().empty();
    clipboard::ProcessClipboard().close();
}

TEST_F(Lifecycle, LibreOfficesMainLoopDoesNoBackgroundWorkOnAnOpenDocument)
{
    // Writer counts the words of a document it has loaded, and lays it out
    // again, in its idle moments: about a third of a second of processor
    // time on this one, taken from the rendering. A host leaves LibreOffice's
    // main loop nothing to run.
    Variant app = automation::CreateOleObject("Word.Application");
    const int pid = automation::HostProcessId(app);
    const long started = threadTicks(pid, "lo_startmain");
    app.read("Documents").call("Open", {fixture("big100.docx")});
    copyWordPage(app, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    copyWordPage(app, 2);
    EXPECT_LE(threadTicks(pid, "lo_startmain") - started, 3);
    app.call("Quit");
}

TEST_F(Lifecycle, AHostStartsItsRenderWorkerWithItselfAndEndsItWithItself)
{
    // The worker starts LibreOffice while its host does, before the host
    // knows its document, and is handed the document the host opens.
    ::setenv("FOLIVEX_RENDER_WORKER", "1", 1);
    Variant app = automation::CreateOleObject("Word.Application");
    const int host = automation::HostProcessId(app);
    const std::vector<int> workers = renderWorkersOf(host);
    ASSERT_EQ(workers.size(), 1u) << "a worker from the start";
    const int worker = workers[0];
    EXPECT_TRUE(eventually([&] { return hasThread(worker, "lo_startmain"); }))
        << "the worker starts LibreOffice before it is given a document";
    app.read("Documents").call("Open", {fixture("letter3.docx")});
    copyWordPage(app, 1);
    EXPECT_EQ(renderWorkersOf(host), workers) << "the document goes to the worker started ahead";
    app.call("Quit");
    EXPECT_TRUE(eventually([&] { return processesInGroup(worker).empty(); })) << "the worker ends with its host";

    // Workbooks get none.
    Variant excel = automation::CreateOleObject("Excel.Application");
    EXPECT_TRUE(renderWorkersOf(automation::HostProcessId(excel)).empty());
    excel.call("Quit");
}

TEST_F(Lifecycle, NoHostOutlivesAProgramThatIsKilled)
{
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    pid_t program = ::fork();
    ASSERT_GE(program, 0);
    if (program == 0) {
        ::close(pipe[0]);
        int host = 0;
        try {
            Variant app = automation::CreateOleObject("Word.Application");
            app.read("Documents").call("Open", {fixture("letter3.docx")});
            host = automation::HostProcessId(app);
            ssize_t ignored = ::write(pipe[1], &host, sizeof host);
            (void)ignored;
            for (;;)
                ::pause();
        } catch (...) {
        }
        ::_exit(1);
    }
    ::close(pipe[1]);
    int host = 0;
    ASSERT_EQ(::read(pipe[0], &host, sizeof host), ssize_t(sizeof host));
    ::close(pipe[0]);
    ASSERT_FALSE(processesInGroup(host).empty());
    ::kill(program, SIGKILL);
    ::waitpid(program, nullptr, 0);
    // The host gets its parent's death signal; give the kernel a moment.
    for (int i = 0; i < 500 && !processesInGroup(host).empty(); ++i)
        ::usleep(10000);
    EXPECT_TRUE(processesInGroup(host).empty());
}

TEST_F(Lifecycle, AHostKilledInTheMiddleOfACallFailsThatCallAndEveryLaterOne)
{
    Variant app = automation::CreateOleObject("Word.Application");
    int pid = automation::HostProcessId(app);
    bool killed = false;
    automation::SetMessagePump([&] {
        if (!killed) {
            killed = true;
            ::kill(pid, SIGKILL);
        }
    });
    EXPECT_EQ(errorText([&] { app.read("Documents").call("Open", {fixture("big100.docx")}); }),
              "Word ended unexpectedly (killed by signal 9)");
    EXPECT_TRUE(killed);
    EXPECT_EQ(errorText([&] { app.read("Visible"); }), "Word ended unexpectedly (killed by signal 9)");
    EXPECT_TRUE(processesInGroup(pid).empty());
    // Quitting what has already ended does nothing, however it is spelled.
    EXPECT_EQ(errorText([&] { app.call("Quit"); }), "(no error)");
    EXPECT_EQ(errorText([&] { app.call("QUIT"); }), "(no error)");
    automation::SetMessagePump(nullptr);
    // The next object gets a new host.
    Variant next = automation::CreateOleObject("Word.Application");
    next.read("Documents").call("Open", {fixture("letter3.docx")});
    EXPECT_EQ(next.read("Selection").get("Information", {int32_t(4)}).toInt32(), 3);
    next.call("Quit");
}

TEST_F(Lifecycle, AHostThatStopsAnsweringIsEndedAtTheTimeLimit)
{
    Variant app = automation::CreateOleObject("PowerPoint.Application");
    int pid = automation::HostProcessId(app);
    automation::SetCallTimeLimits(std::chrono::milliseconds(500), std::chrono::milliseconds(800));
    automation::SetMessagePump([&] { ::kill(pid, SIGSTOP); });
    EXPECT_EQ(errorText([&] { app.read("Presentations").call("Open", {fixture("big50.pptx")}); }),
              "PowerPoint did not answer within 0.8 s; it was ended");
    EXPECT_TRUE(processesInGroup(pid).empty());
    EXPECT_EQ(errorText([&] { app.read("ActivePresentation"); }),
              "PowerPoint did not answer within 0.8 s; it was ended");
    EXPECT_EQ(errorText([&] { app.call("Quit"); }), "(no error)");
}

TEST_F(Lifecycle, ThePumpRunsWhileACallWaitsAndMayCallIn)
{
    Variant word = automation::CreateOleObject("Word.Application");
    Variant excel = automation::CreateOleObject("Excel.Application");
    int pumped = 0;
    std::string nested;
    automation::SetMessagePump([&] {
        if (pumped++ == 0) {
            // A call on another host and one on the waiting host itself.
            excel.read("WorkBooks").call("Open", {fixture("workbook.xlsx")});
            nested = excel.read("ActiveSheet").read("Name").toString() + " " + word.read("WindowState").toString();
        }
    });
    word.put("WindowState", int32_t(2));
    word.read("Documents").call("Open", {fixture("big100.docx")});
    EXPECT_GT(pumped, 0);
    EXPECT_EQ(nested, "Offset 2");
    EXPECT_EQ(word.read("Selection").get("Information", {int32_t(4)}).toInt32(), 100);
    automation::SetMessagePump(nullptr);
    word.call("Quit");
    excel.call("Quit");
}

TEST_F(Lifecycle, ACreationFailsWithoutItsModuleOrItsHost)
{
    namespace fs = std::filesystem;
    // A LibreOffice without Writer: its program folder minus libswlo.so.
    const folivex::test::TempFolder folder;
    for (const auto &entry : fs::directory_iterator("/usr/lib/libreoffice/program"))
        if (entry.path().filename() != "libswlo.so")
            fs::create_symlink(entry.path(), folder.path() / entry.path().filename());
    ::setenv("FOLIVEX_LIBREOFFICE", folder.path().c_str(), 1);
    EXPECT_EQ(errorText([] { automation::CreateOleObject("Word.Application"); }),
              "LibreOffice Writer is not installed (no libswlo.so in " + folder.path().string() + ")");
    ::unsetenv("FOLIVEX_LIBREOFFICE");

    // A profile folder that cannot be made.
    std::string profiles = std::getenv("FOLIVEX_PROFILE_DIR") ? std::getenv("FOLIVEX_PROFILE_DIR") : "";
    ::setenv("FOLIVEX_PROFILE_DIR", "/proc/folivex/profiles", 1);
    EXPECT_EQ(errorText([] {
                  automation::CreateOleObject("PowerPoint.Application");
              }).rfind("Cannot create the LibreOffice profile folder /proc/folivex/profiles: ", 0),
              0u);
    if (profiles.empty())
        ::unsetenv("FOLIVEX_PROFILE_DIR");
    else
        ::setenv("FOLIVEX_PROFILE_DIR", profiles.c_str(), 1);

    // A host too slow for its time limit.
    automation::SetCallTimeLimits(std::chrono::milliseconds(1), std::chrono::milliseconds(1));
    EXPECT_EQ(errorText([] { automation::CreateOleObject("Word.Application"); }),
              "Word did not start within 0.001 s; it was ended");
    automation::SetCallTimeLimits(std::chrono::seconds(30), std::chrono::seconds(300));

    std::string host = std::getenv("FOLIVEX_OFFICE") ? std::getenv("FOLIVEX_OFFICE") : "";
    ::setenv("FOLIVEX_OFFICE", "/nonexistent/folivex-office", 1);
    EXPECT_EQ(errorText([] { automation::CreateOleObject("Excel.Application"); }),
              "The Office host for Excel could not start (exit status 127)");
    ::setenv("FOLIVEX_OFFICE", host.c_str(), 1);
    EXPECT_NO_THROW(automation::CreateOleObject("Excel.Application"));
}

// A host started ahead is the one the next creation gets, as fresh as any;
// one that no creation takes is ended.
TEST_F(Lifecycle, AHostStartedAheadServesTheNextCreationOrIsEnded)
{
    const std::vector<int> before = folivex::test::ChildProcesses(::getpid());
    automation::PrestartHost("Word.Application");
    automation::PrestartHost("Word.Application"); // one an application
    const int ahead = newProcess(before, folivex::test::ChildProcesses(::getpid()));
    ASSERT_NE(ahead, 0) << "one host started ahead";

    Variant app = automation::CreateOleObject("Word.Application");
    EXPECT_EQ(automation::HostProcessId(app), ahead);
    EXPECT_EQ(errorText([&] { app.read("ActiveDocument"); }),
              "Application.ActiveDocument: This command is not available because no document is open");
    app.read("Documents").call("Open", {fixture("letter3.docx")});
    EXPECT_EQ(app.read("Selection").get("Information", {int32_t(4)}).toInt32(), 3);
    app.call("Quit");
    Variant second = automation::CreateOleObject("Word.Application");
    EXPECT_NE(automation::HostProcessId(second), ahead) << "taken once";
    second.call("Quit");

    automation::PrestartHost("Excel.Application");
    const int unused = newProcess(before, folivex::test::ChildProcesses(::getpid()));
    ASSERT_NE(unused, 0);
    automation::EndPrestartedHosts();
    EXPECT_TRUE(processesInGroup(unused).empty()) << "an unused host is ended";
}
