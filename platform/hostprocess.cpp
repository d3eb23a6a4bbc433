#include "platform/hostprocess.h"

#include "core/error.h"
#include "platform/protocol.h"

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

#ifndef FOLIVEX_OFFICE_INSTALLED_PATH
#define FOLIVEX_OFFICE_INSTALLED_PATH ""
#endif
#ifndef FOLIVEX_OFFICE_FROM_PROGRAM
#define FOLIVEX_OFFICE_FROM_PROGRAM "../libexec/folivex/folivex-office"
#endif
#ifndef FOLIVEX_OFFICE_BUILD_PATH
#define FOLIVEX_OFFICE_BUILD_PATH ""
#endif

namespace folivex::automation {

namespace {

std::string systemError(const std::string &what)
{
    return what + ": " + std::strerror(errno);
}

} // namespace

std::string HostProgramFor(const std::filesystem::path &programFolder)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    for (const fs::path &candidate :
         {programFolder / "folivex-office", (programFolder / FOLIVEX_OFFICE_FROM_PROGRAM).lexically_normal()})
        if (fs::exists(candidate, ec))
            return candidate.string();
    return {};
}

std::string HostProgramPath()
{
    namespace fs = std::filesystem;
    if (const char *env = std::getenv("FOLIVEX_OFFICE"); env && *env)
        return env;
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        if (std::string own = HostProgramFor(self.parent_path()); !own.empty())
            return own;
    }
    for (const char *candidate : {FOLIVEX_OFFICE_INSTALLED_PATH, FOLIVEX_OFFICE_BUILD_PATH})
        if (*candidate && fs::exists(candidate, ec))
            return candidate;
    return "folivex-office";
}

void AllowRenderWorkers()
{
    cpu_set_t usable;
    CPU_ZERO(&usable);
    const int cores = ::sched_getaffinity(0, sizeof usable, &usable) == 0 ? CPU_COUNT(&usable) : 1;
    ::setenv("FOLIVEX_RENDER_WORKER", cores >= 4 ? "1" : "0", 0);
}

namespace {
bool textHinting = true;
} // namespace

void SetHostTextHinting(bool hinted)
{
    textHinting = hinted;
}

bool HostTextHinting()
{
    return textHinting;
}

HostProcess::HostProcess(const std::string &program, const std::vector<std::string> &args)
{
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0)
        throw Error(systemError("Cannot create the socket for the Office host"));
    UniqueFd mine(pair[0]);
    UniqueFd theirs(pair[1]);

    // Everything the child needs is prepared before fork: after it only
    // async-signal-safe calls are made.
    std::vector<std::string> argvStore{program};
    argvStore.insert(argvStore.end(), args.begin(), args.end());
    std::vector<char *> argv;
    for (std::string &a : argvStore)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const char *logPath = std::getenv("FOLIVEX_OFFICE_LOG");
    UniqueFd outFd(logPath && *logPath ? ::open(logPath, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644)
                                       : ::open("/dev/null", O_WRONLY | O_CLOEXEC));
    UniqueFd inFd(::open("/dev/null", O_RDONLY | O_CLOEXEC));
    if (!outFd || !inFd)
        throw Error(systemError("Cannot open /dev/null for the Office host"));
    pid_t parent = ::getpid();

    pid_t pid = ::fork();
    if (pid < 0)
        throw Error(systemError("Cannot start the Office host"));
    if (pid == 0) {
        ::setpgid(0, 0);
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            ::_exit(127);
        ::dup2(inFd.get(), 0);
        ::dup2(outFd.get(), 1);
        ::dup2(outFd.get(), 2);
        ::dup2(theirs.get(), wire::HostSocketFd);
        ::close_range(wire::HostSocketFd + 1, ~0u, 0);
        ::execv(program.c_str(), argv.data());
        const char msg[] = "folivex-office: cannot execute the host program\n";
        ssize_t ignored = ::write(2, msg, sizeof msg - 1);
        (void)ignored;
        ::_exit(127);
    }
    // Also set here, so the group exists whichever of the two runs first.
    ::setpgid(pid, pid);
    pid_ = pid;
    socket_ = std::move(mine);
}

HostProcess::~HostProcess()
{
    end(std::chrono::milliseconds(2000));
    stopWatching();
}

namespace {

// Resident bytes of `pid` and of the processes it started, read from /proc;
// 0 for a process that is gone.
uint64_t residentBytes(pid_t pid)
{
    static const uint64_t page = uint64_t(::sysconf(_SC_PAGESIZE));
    uint64_t total = 0;
    const std::string base = "/proc/" + std::to_string(pid);
    if (FILE *statm = std::fopen((base + "/statm").c_str(), "re")) {
        unsigned long long size = 0, resident = 0;
        if (std::fscanf(statm, "%llu %llu", &size, &resident) == 2)
            total += resident * page;
        std::fclose(statm);
    }
    if (FILE *children = std::fopen((base + "/task/" + std::to_string(pid) + "/children").c_str(), "re")) {
        long child = 0;
        while (std::fscanf(children, "%ld", &child) == 1)
            total += residentBytes(pid_t(child));
        std::fclose(children);
    }
    return total;
}

} // namespace

std::string MemoryText(uint64_t bytes)
{
    constexpr uint64_t MiB = 1ull << 20, GiB = 1ull << 30;
    if (bytes >= GiB) {
        const uint64_t tenths = (bytes * 10 + GiB / 2) / GiB;
        return std::to_string(tenths / 10) + (tenths % 10 ? "." + std::to_string(tenths % 10) : "") + " GiB";
    }
    return std::to_string((bytes + MiB / 2) / MiB) + " MiB";
}

uint64_t DefaultHostMemoryLimit(int hostsAtOnce)
{
    constexpr uint64_t GiB = 1ull << 30;
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const uint64_t machine = pages > 0 ? uint64_t(pages) * uint64_t(::sysconf(_SC_PAGESIZE)) : 4 * GiB;
    const uint64_t share = machine / 4 / uint64_t(std::max(hostsAtOnce, 1));
    return std::clamp<uint64_t>(share, 3 * GiB / 2, 4 * GiB);
}

void HostProcess::limitMemory(uint64_t bytes)
{
    if (bytes == 0 || memoryLimit_ != 0 || !running())
        return;
    memoryLimit_ = bytes;
    watcher_ = std::thread([this] { watchMemory(); });
}

void HostProcess::watchMemory()
{
    std::unique_lock<std::mutex> lock(watchLock_);
    while (!watchStop_) {
        if (residentBytes(pid_) > memoryLimit_) {
            overLimit_ = true;
            // The group, worker and opener included; reaping is left to the
            // owner, which cannot reap before this thread has stopped.
            ::kill(-pid_, SIGKILL);
            return;
        }
        watchWake_.wait_for(lock, std::chrono::milliseconds(100));
    }
}

void HostProcess::stopWatching()
{
    if (!watcher_.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(watchLock_);
        watchStop_ = true;
    }
    watchWake_.notify_all();
    watcher_.join();
}

bool HostProcess::poll()
{
    if (reaped_ || pid_ <= 0)
        return true;
    int status = 0;
    // A process that still runs is left alone; one that has ended is reaped
    // once the memory watch has stopped.
    siginfo_t probe{};
    if (::waitid(P_PID, id_t(pid_), &probe, WEXITED | WNOHANG | WNOWAIT) == 0 && probe.si_pid == 0)
        return false;
    stopWatching();
    pid_t r = ::waitpid(pid_, &status, WNOHANG);
    if (r == pid_ || (r < 0 && errno == ECHILD)) {
        reaped_ = true;
        status_ = status;
        return true;
    }
    return false;
}

bool HostProcess::waitFor(std::chrono::milliseconds limit)
{
    auto until = std::chrono::steady_clock::now() + limit;
    while (!poll()) {
        if (std::chrono::steady_clock::now() >= until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void HostProcess::end(std::chrono::milliseconds grace)
{
    socket_.reset();
    if (pid_ <= 0 || reaped_)
        return;
    if (waitFor(grace)) {
        // The host has left by itself; whatever it started goes with it.
        ::kill(-pid_, SIGKILL);
        return;
    }
    kill();
}

void HostProcess::kill()
{
    if (pid_ <= 0 || reaped_)
        return;
    // The whole group: a child of the host must not outlive it.
    ::kill(-pid_, SIGKILL);
    stopWatching();
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    reaped_ = true;
    status_ = status;
}

std::string HostProcess::exitDescription() const
{
    if (!reaped_)
        return {};
    if (overLimit_)
        return "needed more than " + MemoryText(memoryLimit_) + " of memory";
    if (WIFSIGNALED(status_))
        return "killed by signal " + std::to_string(WTERMSIG(status_));
    if (WIFEXITED(status_))
        return "exit status " + std::to_string(WEXITSTATUS(status_));
    return "ended";
}

} // namespace folivex::automation
