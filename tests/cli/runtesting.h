// What the tests of folivex --convert share: the program they run, the test
// documents, a shell's quoting of a path, and how a run they started ended.
#pragma once

#include <filesystem>
#include <string>

#include <sys/wait.h>

namespace folivex::test {

inline const std::filesystem::path kFixtures = FOLIVEX_FIXTURE_DIR;
inline const std::string kFolivex = FOLIVEX_EXECUTABLE;

// `path` in single quotes, for a shell command line (no quote in it).
inline std::string quoted(const std::filesystem::path &path)
{
    return "'" + path.string() + "'";
}

// Waits for the child process `pid`: its exit code, or minus the signal
// that ended it.
inline int exitCodeOf(int pid)
{
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

} // namespace folivex::test
