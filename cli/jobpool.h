// Several documents at once: each converted by a folivex process of its own
// (`folivex --convert --jobs 1 --as-job ...` on that one document), so each
// has its own Office host and clipboard, and a document that brings its
// process down takes nothing else with it. A job dies with the process that
// started it, however that ends (SIGKILL included), and so do its hosts.
// The jobs' reports and printed output go to a folder
// $TMPDIR/folivex-jobs-TAG-XXXXXX (TAG: core/ownertag.h), removed at the
// end; a later pool removes those whose owner is gone.
#pragma once

#include "cli/documentreport.h"

#include <csignal>
#include <functional>
#include <string>
#include <vector>

namespace folivex::cli {

struct PoolJob {
    std::string path;
    std::string pdf; // the PDF it writes (--as-pdf); no two jobs of a run share one
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
    // `stop` is set, the running jobs are sent SIGTERM and no job starts;
    // jobs not started are not reported.
    void run(const std::vector<PoolJob> &jobs,
             const std::function<void(std::size_t, const DocumentReport &, const std::string &)> &finished);

private:
    std::string program_;
    std::vector<std::string> arguments_;
    int jobs_;
    volatile std::sig_atomic_t &stop_;
};

} // namespace folivex::cli
