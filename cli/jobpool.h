// Several documents at once: each converted by a folivex process of its own
// (`folivex --convert --jobs 1 ...` on that one document), so each has its
// own Office host and clipboard, and a document that brings its process
// down takes nothing else with it.
#pragma once

#include "cli/documentreport.h"

#include <csignal>
#include <functional>
#include <string>
#include <vector>

namespace folivex::cli {

struct PoolJob {
    std::string path;
    std::string outputKey; // jobs of one output PDF run one after the other, in order
};

class JobPool {
public:
    // `arguments`: what every job's command line carries before its path
    // (--output, --size, --quiet). `stop`: set (by a signal handler) to the
    // signal that asks the run to end.
    JobPool(std::string program, std::vector<std::string> arguments, int jobs, volatile std::sig_atomic_t &stop);

    // Runs every job, at most `jobs` at a time, and calls `finished` with
    // each job's index, report and printed output as it ends. A job its
    // process could not report on is reported failed with the reason. Once
    // `stop` is set, the running jobs are sent SIGTERM and no job starts.
    void run(const std::vector<PoolJob> &jobs,
             const std::function<void(std::size_t, const DocumentReport &, const std::string &)> &finished);

private:
    std::string program_;
    std::vector<std::string> arguments_;
    int jobs_;
    volatile std::sig_atomic_t &stop_;
};

} // namespace folivex::cli
