#include "jobpool.h"

#include "core/error.h"
#include "core/ownertag.h"
#include "core/uniquefd.h"

#include <fcntl.h>
#include <sys/prctl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

namespace folivex::cli {

namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

std::string exitText(int status)
{
    if (WIFSIGNALED(status))
        return "killed by signal " + std::to_string(WTERMSIG(status));
    return "exit code " + std::to_string(WEXITSTATUS(status));
}

constexpr const char *kScratchPrefix = "folivex-jobs-";

// The folders of pools whose process is gone (killed before it could remove them).
void removeStaleScratchFolders(const fs::path &temporary)
{
    std::error_code error;
    for (fs::directory_iterator it(temporary, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        const std::string_view tag = OwnerTagIn(name, kScratchPrefix, "");
        std::error_code ignored;
        if (!tag.empty() && OwnerIsGone(tag) && it->is_directory(ignored))
            fs::remove_all(it->path(), ignored);
    }
}

// A private folder for the jobs' reports and output, removed at the end.
class ScratchFolder {
public:
    ScratchFolder()
    {
        const fs::path temporary = fs::temp_directory_path();
        removeStaleScratchFolders(temporary);
        std::string pattern = (temporary / (kScratchPrefix + OwnerTag() + "-XXXXXX")).string();
        if (!::mkdtemp(pattern.data()))
            throw Error(std::string("Cannot make a folder for the jobs: ") + std::strerror(errno));
        path = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path path;
};

} // namespace

JobPool::JobPool(std::string program, std::vector<std::string> arguments, int jobs, volatile std::sig_atomic_t &stop)
    : program_(std::move(program)), arguments_(std::move(arguments)), jobs_(std::max(jobs, 1)), stop_(stop)
{
}

void JobPool::run(const std::vector<PoolJob> &jobs,
                  const std::function<void(std::size_t, const DocumentReport &, const std::string &)> &finished)
{
    ScratchFolder scratch;
    std::map<pid_t, std::size_t> running;
    bool stopping = false;

    std::size_t nextJob = 0;
    auto start = [&](std::size_t i) {
        const std::string report = (scratch.path / (std::to_string(i) + ".json")).string();
        const std::string log = (scratch.path / (std::to_string(i) + ".log")).string();
        std::vector<std::string> args = {program_,   "--convert", "--jobs",   "1",        "--as-job",
                                         "--report", report,      "--as-pdf", jobs[i].pdf};
        args.insert(args.end(), arguments_.begin(), arguments_.end());
        args.push_back("--");
        args.push_back(jobs[i].path);
        std::vector<char *> argv;
        for (std::string &a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        // The job's output file, opened before fork so that the child only
        // redirects to it; without one the job prints where this process does.
        const UniqueFd logFd(::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
        const pid_t parent = ::getpid();
        const pid_t pid = ::fork();
        if (pid < 0)
            throw Error(std::string("Cannot start a job: ") + std::strerror(errno));
        if (pid == 0) {
            // Killed the moment this process ends, whatever ends it, so that
            // a job writes nothing after its run; a parent that ended before
            // this line ran is found by getppid.
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (::getppid() != parent)
                ::_exit(127);
            if (logFd) {
                ::dup2(logFd.get(), 1);
                ::dup2(logFd.get(), 2);
            }
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        running[pid] = i;
    };
    auto reap = [&](pid_t pid, int status) {
        const std::size_t i = running[pid];
        running.erase(pid);
        const fs::path base = scratch.path / std::to_string(i);
        DocumentReport report;
        std::string line = readAll(base.string() + ".json");
        if (!line.empty() && line.back() == '\n')
            line.pop_back();
        if (!ParseReportLine(line, report)) {
            report = DocumentReport();
            report.input = jobs[i].path;
            report.status = stopping ? convert::DocumentStatus::Stopped : convert::DocumentStatus::Failed;
            report.reason = "its conversion process ended without a report (" + exitText(status) + ")";
        }
        const std::string printed = readAll(base.string() + ".log");
        // Gone as soon as read: a run of many documents keeps no pile of them.
        std::error_code ignored;
        fs::remove(base.string() + ".json", ignored);
        fs::remove(base.string() + ".log", ignored);
        finished(i, report, printed);
    };

    while (true) {
        if (stop_ && !stopping) {
            stopping = true;
            for (const auto &[pid, index] : running)
                ::kill(pid, SIGTERM);
        }
        while (!stopping && int(running.size()) < jobs_ && nextJob < jobs.size())
            start(nextJob++);
        if (running.empty())
            break;
        int status = 0;
        const pid_t pid = ::waitpid(-1, &status, WNOHANG);
        if (pid > 0 && running.count(pid))
            reap(pid, status);
        else if (pid <= 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

} // namespace folivex::cli
