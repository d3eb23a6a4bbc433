#include "benchsupport.h"

#include <chrono>
#include <fcntl.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace folivex::bench {

Measured Measure(const std::vector<std::string> &argv, const std::string &removeFirst)
{
    if (!removeFirst.empty())
        ::unlink(removeFirst.c_str());
    std::vector<char *> args;
    for (const std::string &arg : argv)
        args.push_back(const_cast<char *>(arg.c_str()));
    args.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child < 0)
        throw std::runtime_error("fork failed");
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    if (::wait4(child, &status, 0, &usage) < 0)
        throw std::runtime_error("wait4 failed");
    Measured measured;
    measured.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    measured.peakKiB = usage.ru_maxrss;
    measured.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return measured;
}

Measured Best(const std::vector<std::string> &argv, int runs, const std::string &removeFirst)
{
    Measured best = Measure(argv, removeFirst);
    for (int run = 1; run < runs; ++run) {
        const Measured next = Measure(argv, removeFirst);
        if (next.seconds < best.seconds)
            best.seconds = next.seconds;
        if (next.peakKiB > best.peakKiB)
            best.peakKiB = next.peakKiB;
        if (next.exitCode != 0)
            best.exitCode = next.exitCode;
    }
    return best;
}

} // namespace folivex::bench
