#include "jobpool.h"

#include "core/error.h"
#include "core/uniquefd.h"

#include <fcntl.h>
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

// A private folder for the jobs' reports and output, removed at the end.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "folivex-jobs-XXXXXX").string();
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
    std::vector<bool> started(jobs.size(), false), done(jobs.size(), false);
    std::map<pid_t, std::size_t> running;
    bool stopping = false;

    // The first job not started whose earlier jobs of the same PDF are done.
    auto nextJob = [&]() -> std::size_t {
        for (std::size_t i = 0; i < jobs.size(); ++i) {
            if (started[i])
                continue;
            bool ready = true;
            for (std::size_t j = 0; j < i && ready; ++j)
                ready = !(jobs[j].outputKey == jobs[i].outputKey && !done[j]);
            if (ready)
                return i;
        }
        return jobs.size();
    };
    auto start = [&](std::size_t i) {
        const std::string report = (scratch.path / (std::to_string(i) + ".json")).string();
        const std::string log = (scratch.path / (std::to_string(i) + ".log")).string();
        std::vector<std::string> args = {program_, "--convert", "--jobs", "1", "--as-job", "--report", report};
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
        const pid_t pid = ::fork();
        if (pid < 0)
            throw Error(std::string("Cannot start a job: ") + std::strerror(errno));
        if (pid == 0) {
            if (logFd) {
                ::dup2(logFd.get(), 1);
                ::dup2(logFd.get(), 2);
            }
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        started[i] = true;
        running[pid] = i;
    };
    auto reap = [&](pid_t pid, int status) {
        const std::size_t i = running[pid];
        running.erase(pid);
        done[i] = true;
        const fs::path base = scratch.path / std::to_string(i);
        DocumentReport report;
        std::string line = readAll(base.string() + ".json");
        if (!line.empty() && line.back() == '\n')
            line.pop_back();
        if (!ParseReportLine(line, report)) {
            report = DocumentReport();
            report.input = jobs[i].path;
            report.status = stopping ? "stopped" : "failed";
            report.reason = "its conversion process ended without a report (" + exitText(status) + ")";
        }
        finished(i, report, readAll(base.string() + ".log"));
    };

    while (true) {
        if (stop_ && !stopping) {
            stopping = true;
            for (const auto &[pid, index] : running)
                ::kill(pid, SIGTERM);
        }
        while (!stopping && int(running.size()) < jobs_) {
            const std::size_t i = nextJob();
            if (i == jobs.size())
                break;
            start(i);
        }
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
