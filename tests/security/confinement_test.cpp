// The kernel's confinement tried directly: a child process confined as a
// host is tries what a hostile document would make LibreOffice do.
#include "confine/confinement.h"
#include "confine/landlock.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>

namespace fs = std::filesystem;
using namespace folivex;
using folivex::test::TempFolder;

namespace {

// Runs `probe` in a child confined to what LibreOffice needs and `own`, and
// returns what it said; "not confined: ..." when the kernel refused a layer.
std::string inConfinedChild(const fs::path &own, const std::function<std::string()> &probe)
{
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        const confine::Confinement done =
            confine::ConfineProcess(confine::OfficePathRules("/usr/lib/libreoffice/program", {own.string()}));
        std::string said = done.missing.empty() ? probe() : "not confined: " + done.missing.front();
        ssize_t ignored = ::write(pipe[1], said.data(), said.size());
        (void)ignored;
        ::_exit(0);
    }
    ::close(pipe[1]);
    std::string said;
    char chunk[512];
    for (ssize_t n; (n = ::read(pipe[0], chunk, sizeof chunk)) > 0;)
        said.append(chunk, size_t(n));
    ::close(pipe[0]);
    ::waitpid(child, nullptr, 0);
    return said;
}

// "ok" or the error's name.
std::string outcome(int result)
{
    return result >= 0 ? "ok" : std::strerror(errno);
}

std::string openForReading(const fs::path &path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    std::string said = outcome(fd);
    if (fd >= 0)
        ::close(fd);
    return said;
}

std::string createFile(const fs::path &path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    std::string said = outcome(fd);
    if (fd >= 0)
        ::close(fd);
    return said;
}

std::string newSocket(int family)
{
    const int fd = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    std::string said = outcome(fd);
    if (fd >= 0)
        ::close(fd);
    return said;
}

TEST(Confinement, ReadsLibreOfficeAndItsOwnFoldersAndNothingElseOfTheUsers)
{
    ASSERT_GT(confine::LandlockAbi(), 0) << "this kernel has no Landlock";
    TempFolder own;
    TempFolder other;
    folivex::test::WriteFile(other / "secret.txt", "secret");
    folivex::test::WriteFile(own / "copy.docx", "document");
    const std::string said = inConfinedChild(own.path(), [&] {
        return "libreoffice " + openForReading("/usr/lib/libreoffice/program/sofficerc") + "; own " +
               openForReading(own / "copy.docx") + "; write own " + createFile(own / "new.tmp") + "; other " +
               openForReading(other / "secret.txt") + "; write other " + createFile(other / "new.tmp") + "; passwd " +
               openForReading("/etc/shadow") + "; parent " +
               openForReading("/proc/" + std::to_string(::getppid()) + "/environ") + "; self " +
               openForReading("/proc/self/status");
    });
    EXPECT_EQ(said, "libreoffice ok; own ok; write own ok; other Permission denied; write other Permission denied; "
                    "passwd Permission denied; parent Permission denied; self ok");
    EXPECT_FALSE(fs::exists(other / "new.tmp"));
}

TEST(Confinement, OpensNoSocketOfAnyFamilyButKeepsSocketPairs)
{
    TempFolder own;
    const std::string said = inConfinedChild(own.path(), [] {
        int pair[2];
        const std::string paired = outcome(::socketpair(AF_UNIX, SOCK_STREAM, 0, pair));
        return "inet " + newSocket(AF_INET) + "; inet6 " + newSocket(AF_INET6) + "; unix " + newSocket(AF_UNIX) +
               "; netlink " + newSocket(AF_NETLINK) + "; pair " + paired + "; io_uring " +
               outcome(int(::syscall(SYS_io_uring_setup, 1, nullptr)));
    });
    EXPECT_EQ(said, "inet Permission denied; inet6 Permission denied; unix Permission denied; netlink Permission "
                    "denied; pair ok; io_uring Function not implemented");
}

TEST(Confinement, TheSettingOffLeavesTheProcessAsItWas)
{
    TempFolder own;
    TempFolder other;
    folivex::test::WriteFile(other / "file.txt", "text");
    ::setenv("FOLIVEX_CONFINEMENT", "0", 1);
    const std::string said = inConfinedChild(own.path(), [&] { return openForReading(other / "file.txt"); });
    ::unsetenv("FOLIVEX_CONFINEMENT");
    EXPECT_EQ(said, "not confined: confinement turned off by FOLIVEX_CONFINEMENT=0");
}

TEST(Confinement, TheSummarySaysWhatTheKernelOffers)
{
    const std::string summary = confine::ProtectionSummary();
    EXPECT_EQ(summary.rfind("Document protections: links blocked by LibreOffice's settings; files: Landlock ABI ", 0),
              0u)
        << summary;
    EXPECT_NE(summary.find("network: no sockets (seccomp)"), std::string::npos) << summary;
}

} // namespace
