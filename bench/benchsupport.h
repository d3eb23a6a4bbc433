// Running a command for a benchmark: wall time and peak memory of the child.
#pragma once

#include <string>
#include <vector>

namespace folivex::bench {

struct Measured {
    double seconds = 0; // wall time
    long peakKiB = 0;   // the child's peak resident set
    int exitCode = -1;
};

// Runs argv[0] with its arguments, output sent to /dev/null. `removeFirst`,
// when given, is deleted before the run, so every run writes a new file
// rather than paying for the release of the previous one.
Measured Measure(const std::vector<std::string> &argv, const std::string &removeFirst = {});

// The best (fastest) of `runs` runs; peak memory is the largest seen.
Measured Best(const std::vector<std::string> &argv, int runs, const std::string &removeFirst = {});

} // namespace folivex::bench
