// HostProcess: one running folivex-office process and the client's end of
// its socket.
//
// The host is started with its end of a socket pair as file descriptor 3,
// standard input from /dev/null and standard output and error sent to
// /dev/null (or appended to $FOLIVEX_OFFICE_LOG), in a process group of its
// own, and with the parent-death signal set to SIGKILL so that it cannot
// outlive the thread that started it. The destructor ends the process: it
// closes the socket (the host leaves when it reads end of file), waits for it
// briefly and then kills the whole group; the process is always reaped.
#pragma once

#include "core/uniquefd.h"

#include <sys/types.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace folivex::automation {

class HostProcess {
public:
    // Throws folivex::Error with the system's error text when the process
    // cannot be started.
    HostProcess(const std::string &program, const std::vector<std::string> &args);
    ~HostProcess();
    HostProcess(const HostProcess &) = delete;
    HostProcess &operator=(const HostProcess &) = delete;

    int socket() const { return socket_.get(); }
    pid_t pid() const { return pid_; }
    bool running() const { return pid_ > 0 && !reaped_; }

    // Closes the socket and waits up to `grace` for the process to leave,
    // then kills its group. Reaps it. Never throws.
    void end(std::chrono::milliseconds grace);
    // Kills the whole process group at once and reaps the host, unless it
    // has been reaped already. Never throws.
    void kill();
    // Collects the exit status if the process has ended (no waiting); true
    // when it has.
    bool poll();
    // How the process ended, for error texts ("exit status 1", "killed by
    // signal 9", "needed more than 2 GiB of memory"); empty while it runs.
    std::string exitDescription() const;

    // Ends the process's group as soon as the process and the processes it
    // started hold more than `bytes` of memory together, looked at ten times
    // a second by a thread of this object's until the process is reaped.
    // Once only; 0 sets no limit.
    void limitMemory(uint64_t bytes);
    bool endedForMemory() const { return overLimit_; }

private:
    bool waitFor(std::chrono::milliseconds limit);
    void watchMemory();
    // Stops the memory watch; call before reaping, so that it never signals
    // a process group that is gone.
    void stopWatching();

    UniqueFd socket_;
    pid_t pid_ = -1;
    bool reaped_ = false;
    int status_ = 0;

    uint64_t memoryLimit_ = 0;
    std::thread watcher_;
    std::mutex watchLock_;
    std::condition_variable watchWake_;
    bool watchStop_ = false;
    std::atomic<bool> overLimit_{false};
};

// "2 GiB", "1.5 GiB", "512 MiB": a memory size as the texts give it.
std::string MemoryText(uint64_t bytes);

// How much memory one host may take when `hostsAtOnce` convert at the same
// time: a quarter of the machine's memory shared among them, at least 1.5 GiB
// and at most 4 GiB each. The largest real workbooks take about 1.1 GiB; a
// document that takes more than 4 GiB is a zip bomb rather than a document.
uint64_t DefaultHostMemoryLimit(int hostsAtOnce);

// The folivex-office program: $FOLIVEX_OFFICE, else the one that belongs to
// this program (HostProgramFor its folder), else the one installed under the
// configured prefix, else the one of the build tree.
std::string HostProgramPath();

// The folivex-office of a program in `programFolder`: beside it, else where
// the installed layout that the folder belongs to keeps it
// (bin/../libexec/folivex, whatever the prefix), the path cleaned of "..".
// Empty when neither place has it.
std::string HostProgramFor(const std::filesystem::path &programFolder);

// Lets the hosts started from now on give a long text document or
// presentation a render worker, a second process that renders every other
// page: for a client whose hosts convert one document at a time, on a
// machine with a core to spare for it, that is at least four that this
// process may run on (the host renders, the client captures and encodes).
// On fewer, the worker only takes processor time from the other three.
// $FOLIVEX_RENDER_WORKER, when set already, wins (1: a worker on any
// machine, 0: every host renders alone).
void AllowRenderWorkers();

// What SetHostTextHinting (automation.h) chose for hosts started now.
bool HostTextHinting();

} // namespace folivex::automation
