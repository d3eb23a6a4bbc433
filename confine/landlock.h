// Landlock: the kernel's file-system and network access control for an
// unprivileged process (Linux 5.13 and later). A process that restricts
// itself keeps only the access its rules grant, for good, and so do the
// processes it starts afterwards.
//
// Only the calling thread and the threads it starts later are bound: call
// Restrict while the process has one thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace folivex::confine {

// What a folder (and everything beneath it) or a file may be used for.
enum class Access { Read, ReadWrite };

struct PathRule {
    std::string path;
    Access access = Access::Read;
};

// The Landlock ABI version the kernel offers; 0 when it has none (too old,
// or Landlock is not enabled at boot).
int LandlockAbi();

// Restricts the calling process to `rules`: reading, listing and executing
// beneath the Read paths, and also writing, creating, renaming and removing
// beneath the ReadWrite ones; on kernels that can (ABI 4 and later), no TCP
// connection or listening port either. Paths that do not exist are left out.
// The caller must have set no_new_privs. Returns an empty text, or why the
// kernel refused (the process is then unchanged). Never throws.
std::string RestrictPaths(const std::vector<PathRule> &rules);

} // namespace folivex::confine
